// The analyzer part of an ORT result: the run header at the run's own level,
// the configuration in force and, when the run produced one, its result. Keys
// that neither the run nor its header declares are read and dropped.
#pragma once

#include <optional>
#include <tuple>

#include "models/flatten.hpp"
#include "models/ort/analyzer_configuration.hpp"
#include "models/ort/analyzer_result.hpp"
#include "models/ort/base_run.hpp"
#include "models/record.hpp"

namespace dorvek::ort {

struct AnalyzerRun {
  BaseRun header;
  AnalyzerConfiguration config;
  std::optional<AnalyzerResult> result;

  static constexpr const char* type_name = "AnalyzerRun";
  static constexpr auto flatten = &AnalyzerRun::header;
  static constexpr auto fields() {
    using T = AnalyzerRun;
    return std::tuple{required("config", &T::config), optional("result", &T::result)};
  }
};

}  // namespace dorvek::ort
