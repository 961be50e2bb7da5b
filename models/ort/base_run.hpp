// The run header that each run record carries at its own level: its keys
// stand in the run's mapping and are read, buffered, after the run's own.
//
//   struct AnalyzerRun {
//     BaseRun header;
//     ...
//     static constexpr auto flatten = &AnalyzerRun::header;
//   };
#pragma once

#include <string>
#include <tuple>

#include "models/ort/environment.hpp"
#include "models/record.hpp"

namespace dorvek::ort {

struct BaseRun {
  std::string start_time;
  std::string end_time;
  Environment environment;

  static constexpr const char* type_name = "BaseRun";
  static constexpr auto fields() {
    using T = BaseRun;
    return std::tuple{required("start_time", &T::start_time), required("end_time", &T::end_time),
                      required("environment", &T::environment)};
  }
};

}  // namespace dorvek::ort
