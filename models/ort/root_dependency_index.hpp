// A root of a scope in a dependency graph. Keys it does not know are
// skipped, not refused.
#pragma once

#include <cstdint>
#include <string>
#include <tuple>
#include <vector>

#include "models/record.hpp"

namespace dorvek::ort {

struct RootDependencyIndex {
  int64_t root = 0;
  int64_t fragment = 0;

  static constexpr const char* type_name = "RootDependencyIndex";
  static constexpr Undeclared undeclared = Undeclared::Skip;
  static constexpr auto fields() {
    using T = RootDependencyIndex;
    return std::tuple{required("root", &T::root), defaulted("fragment", &T::fragment)};
  }
};

// The graph's scope map: root lists by scope name; a repeated name keeps its
// last list.
using RootDependencyIndexListsByName = HashMap<std::string, std::vector<RootDependencyIndex>>;

}  // namespace dorvek::ort
