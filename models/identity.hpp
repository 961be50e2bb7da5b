// Set identities over key fields: a record held in a set by some of its
// fields hashes those fields in `hash_value()` and names them in an `Eq`:
//
//   struct Edge {
//     int64_t from = 0, to = 0;
//     uint64_t hash_value() const { return hash_i64s(from, to); }
//     using Eq = SameKey<&Edge::from, &Edge::to>;
//   };
//   HashSet<Edge, Edge::Eq> edges;
#pragma once

#include <cstdint>
#include <cstring>
#include <string_view>

#include "models/containers.hpp"

namespace dorvek {

// Equal when every named member is equal; no other member takes part.
template <auto... Members>
struct SameKey {
  template <class T>
  bool operator()(const T& a, const T& b) const {
    return ((a.*Members == b.*Members) && ...);
  }
};

// The keyed hash of integers taken together, so that no pairs can be chosen
// to collide in every table.
template <class... I>
uint64_t hash_i64s(I... values) {
  const int64_t parts[] = {static_cast<int64_t>(values)...};
  char buf[sizeof parts];
  std::memcpy(buf, parts, sizeof parts);
  return hash_bytes(std::string_view(buf, sizeof buf));
}

}  // namespace dorvek
