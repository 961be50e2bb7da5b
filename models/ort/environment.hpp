// The environment a run ran in. Only reached through the run header, so
// only read from a buffered node.
#pragma once

#include <cstdint>
#include <string>
#include <tuple>

#include "models/record.hpp"

namespace dorvek::ort {

struct Environment {
  std::string ort_version;
  std::string build_jdk;
  std::string java_version;
  std::string os;
  uint32_t processors = 0;
  uint64_t max_memory = 0;
  HashMap<std::string, std::string> variables;

  static constexpr const char* type_name = "Environment";
  static constexpr Undeclared undeclared = Undeclared::Skip;
  static constexpr auto fields() {
    using T = Environment;
    return std::tuple{required("ort_version", &T::ort_version), required("build_jdk", &T::build_jdk),
                      required("java_version", &T::java_version), required("os", &T::os),
                      required("processors", &T::processors),     required("max_memory", &T::max_memory),
                      defaulted("variables", &T::variables)};
  }
};

}  // namespace dorvek::ort
