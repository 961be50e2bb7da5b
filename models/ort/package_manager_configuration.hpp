// The settings of one package manager.
#pragma once

#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "models/ort/coerce.hpp"
#include "models/record.hpp"

namespace dorvek::ort {

struct PackageManagerConfiguration {
  std::optional<std::vector<std::string>> must_run_after;
  std::optional<HashMap<std::string, std::string>> options;

  bool operator==(const PackageManagerConfiguration&) const = default;

  static constexpr const char* type_name = "PackageManagerConfiguration";
  static constexpr auto fields() {
    using T = PackageManagerConfiguration;
    return std::tuple{optional("must_run_after", &T::must_run_after),
                      optional<OptionalStringMapFromScalars>("options", &T::options)};
  }
};

}  // namespace dorvek::ort
