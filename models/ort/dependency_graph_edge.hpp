// An edge of a dependency graph between two node indexes; an edge set holds
// each (from, to) pair once.
#pragma once

#include <cstdint>
#include <tuple>

#include "models/identity.hpp"
#include "models/record.hpp"

namespace dorvek::ort {

struct DependencyGraphEdge {
  int64_t from = 0;
  int64_t to = 0;

  uint64_t hash_value() const { return hash_i64s(from, to); }
  using Eq = SameKey<&DependencyGraphEdge::from, &DependencyGraphEdge::to>;

  static constexpr const char* type_name = "DependencyGraphEdge";
  static constexpr auto fields() {
    using T = DependencyGraphEdge;
    return std::tuple{required("from", &T::from), required("to", &T::to)};
  }
};

}  // namespace dorvek::ort
