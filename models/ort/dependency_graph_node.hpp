// An entry of a dependency graph's node list.
#pragma once

#include <cstdint>
#include <optional>
#include <tuple>
#include <vector>

#include "models/ort/issue.hpp"
#include "models/ort/package_linkage.hpp"
#include "models/record.hpp"

namespace dorvek::ort {

struct DependencyGraphNode {
  // None and 0 are different values.
  std::optional<int64_t> pkg;
  int64_t fragment = 0;
  PackageLinkage linkage = PackageLinkage::DYNAMIC;
  std::vector<Issue> issues;

  static constexpr const char* type_name = "DependencyGraphNode";
  static constexpr auto fields() {
    using T = DependencyGraphNode;
    return std::tuple{optional("pkg", &T::pkg), defaulted("fragment", &T::fragment),
                      defaulted("linkage", &T::linkage), defaulted("issues", &T::issues)};
  }
};

}  // namespace dorvek::ort
