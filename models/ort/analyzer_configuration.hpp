// Placeholder: the AnalyzerConfiguration record lands with its own unit; until then it
// declares no field, so any key in it is refused.
#pragma once

#include <tuple>

#include "models/record.hpp"

namespace dorvek::ort {

struct AnalyzerConfiguration {
  bool operator==(const AnalyzerConfiguration&) const = default;

  static constexpr const char* type_name = "AnalyzerConfiguration";
  static constexpr auto fields() { return std::tuple{}; }
};

}  // namespace dorvek::ort
