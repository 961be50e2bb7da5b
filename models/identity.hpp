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

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <optional>
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

// The hash of fields of any hashable types taken together, in order. Texts
// hash with the process key, so a record whose key holds a text cannot be
// chosen to collide either.
inline uint64_t hash_combine(uint64_t h, uint64_t v) { return mix_hash(h ^ (v + 0x9e3779b97f4a7c15ULL)); }
template <class... T>
uint64_t hash_fields(const T&... v) {
  uint64_t h = 0;
  ((h = hash_combine(h, hash_value(v))), ...);
  return h;
}

// Floats compared as the values they are written as: every NaN is written
// the same, so all NaNs are one value; 0.0 and -0.0 are written apart.
inline bool same_float(double a, double b) {
  if (std::isnan(a)) return std::isnan(b);
  return std::bit_cast<uint64_t>(a) == std::bit_cast<uint64_t>(b);
}
inline bool same_float(const std::optional<double>& a, const std::optional<double>& b) {
  if (!a || !b) return !a && !b;
  return same_float(*a, *b);
}
inline uint64_t hash_float(double v) { return std::isnan(v) ? 0x7ff8000000000000ULL : std::bit_cast<uint64_t>(v); }
inline uint64_t hash_float(const std::optional<double>& v) { return v ? hash_float(*v) : 1; }

}  // namespace dorvek
