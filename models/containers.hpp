// Sets and maps: hash tables whose seed is drawn at random once per thread
// and advanced for every new table, so their order differs between processes.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <type_traits>
#include <unordered_map>
#include <unordered_set>

namespace dorvek {

// The next seed of this thread's sequence.
uint64_t next_hash_seed();

inline uint64_t mix_hash(uint64_t x) {
  x ^= x >> 30;
  x *= 0xbf58476d1ce4e5b9ULL;
  x ^= x >> 27;
  x *= 0x94d049bb133111ebULL;
  x ^= x >> 31;
  return x;
}

// A hash of bytes keyed by a secret drawn once per process, so that no text
// can be prepared to collide with others in every table (SipHash-1-3).
uint64_t hash_bytes(std::string_view bytes);

// The unseeded hash of a value; types that live in sets or map keys provide
// `hash_value` or are covered here.
template <class T>
uint64_t hash_value(const T& v) {
  if constexpr (std::is_enum_v<T>) {
    return static_cast<uint64_t>(v);
  } else if constexpr (std::is_integral_v<T>) {
    return static_cast<uint64_t>(v);
  } else if constexpr (std::is_convertible_v<const T&, std::string_view>) {
    return hash_bytes(std::string_view(v));
  } else {
    return v.hash_value();
  }
}

template <class T>
struct SeededHash {
  uint64_t seed = next_hash_seed();
  size_t operator()(const T& v) const { return static_cast<size_t>(mix_hash(hash_value(v) ^ seed)); }
};

// A set keeps the first of two equal elements (insert does not replace).
// Two tables hash with different seeds, so equality looks each element up
// in the other table instead of comparing bucket layouts.
template <class T, class Eq = std::equal_to<T>>
class HashSet : public std::unordered_set<T, SeededHash<T>, Eq> {
 public:
  using std::unordered_set<T, SeededHash<T>, Eq>::unordered_set;

  friend bool operator==(const HashSet& a, const HashSet& b) {
    if (a.size() != b.size()) return false;
    for (const T& e : a) {
      if (!b.contains(e)) return false;
    }
    return true;
  }
};

// A map keeps the last value of a repeated key (callers use insert_or_assign).
template <class K, class V>
class HashMap : public std::unordered_map<K, V, SeededHash<K>> {
 public:
  using std::unordered_map<K, V, SeededHash<K>>::unordered_map;

  friend bool operator==(const HashMap& a, const HashMap& b) {
    if (a.size() != b.size()) return false;
    for (const auto& [k, v] : a) {
      auto it = b.find(k);
      if (it == b.end() || !(it->second == v)) return false;
    }
    return true;
  }
};

}  // namespace dorvek
