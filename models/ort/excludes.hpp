// The excludes section: excluded paths and dependency scopes.
#pragma once

#include <tuple>
#include <vector>

#include "models/ort/path_exclude.hpp"
#include "models/ort/scope_exclude.hpp"
#include "models/record.hpp"

namespace dorvek::ort {

struct Excludes {
  std::vector<PathExclude> paths;
  std::vector<ScopeExclude> scopes;

  bool operator==(const Excludes&) const = default;

  static constexpr const char* type_name = "Excludes";
  static constexpr auto fields() {
    using T = Excludes;
    return std::tuple{defaulted("paths", &T::paths), defaulted("scopes", &T::scopes)};
  }
};

}  // namespace dorvek::ort
