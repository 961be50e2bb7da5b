// Placeholder: the ScannerConfiguration record lands with its own unit; until then it
// declares no field, so any key in it is refused.
#pragma once

#include <tuple>

#include "models/record.hpp"

namespace dorvek::ort {

struct ScannerConfiguration {
  bool operator==(const ScannerConfiguration&) const = default;

  static constexpr const char* type_name = "ScannerConfiguration";
  static constexpr auto fields() { return std::tuple{}; }
};

}  // namespace dorvek::ort
