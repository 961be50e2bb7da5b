// Placeholder: the RepositoryConfiguration record lands with its own unit; until then it
// declares no field, so any key in it is refused.
#pragma once

#include <tuple>

#include "models/record.hpp"

namespace dorvek::ort {

struct RepositoryConfiguration {
  bool operator==(const RepositoryConfiguration&) const = default;

  static constexpr const char* type_name = "RepositoryConfiguration";
  static constexpr auto fields() { return std::tuple{}; }
};

}  // namespace dorvek::ort
