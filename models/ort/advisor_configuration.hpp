// Placeholder: the AdvisorConfiguration record lands with its own unit; until then it
// declares no field, so any key in it is refused.
#pragma once

#include <tuple>

#include "models/record.hpp"

namespace dorvek::ort {

struct AdvisorConfiguration {
  bool operator==(const AdvisorConfiguration&) const = default;

  static constexpr const char* type_name = "AdvisorConfiguration";
  static constexpr auto fields() { return std::tuple{}; }
};

}  // namespace dorvek::ort
