// Sets and maps: entries kept in a vector in first-insertion order (the
// order of the document), found through a hash index beside them. One
// document therefore always iterates, and is written, the same way, while
// lookups hash with a key secret to the process, so no input can be
// prepared to collide in every table.
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <stdexcept>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

namespace dorvek {

inline uint64_t mix_hash(uint64_t x) {
  x ^= x >> 30;
  x *= 0xbf58476d1ce4e5b9ULL;
  x ^= x >> 27;
  x *= 0x94d049bb133111ebULL;
  x ^= x >> 31;
  return x;
}

// A hash of bytes keyed by a secret drawn once per process (SipHash-1-3).
uint64_t hash_bytes(std::string_view bytes);

// A secret drawn once per process that the tables mix into every hash, so
// that numbers, which hash to themselves, cannot be prepared to collide either.
uint64_t table_hash_key();

// The unkeyed hash of a value; types that live in sets or map keys provide
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

namespace detail {

// The entries of a table and the index that finds them. `KeyOf` gives an
// entry's key, `Eq` compares keys. Small tables are scanned through their
// stored hashes; larger ones probe an open-addressing index of positions.
template <class Entry, class Key, class KeyOf, class Eq>
class OrderedTable {
 public:
  using value_type = Entry;
  using const_iterator = typename std::vector<Entry>::const_iterator;
  using iterator = const_iterator;  // entries never change their key in place

  OrderedTable() = default;

  size_t size() const { return entries_.size(); }
  bool empty() const { return entries_.empty(); }
  const_iterator begin() const { return entries_.begin(); }
  const_iterator end() const { return entries_.end(); }

  void reserve(size_t n) {
    entries_.reserve(n);
    hashes_.reserve(n);
  }

  const_iterator find(const Key& k) const {
    size_t pos = position(k, hash_of(k));
    return pos == npos ? end() : begin() + static_cast<std::ptrdiff_t>(pos);
  }
  bool contains(const Key& k) const { return position(k, hash_of(k)) != npos; }
  size_t count(const Key& k) const { return contains(k) ? 1 : 0; }

 protected:
  static constexpr size_t npos = static_cast<size_t>(-1);
  static constexpr size_t kScanned = 8;  // tables up to this size have no index

  static uint64_t hash_of(const Key& k) { return mix_hash(hash_value(k) ^ table_hash_key()); }

  size_t position(const Key& k, uint64_t h) const {
    if (slots_.empty()) {
      for (size_t i = 0; i < hashes_.size(); ++i) {
        if (hashes_[i] == h && Eq{}(KeyOf{}(entries_[i]), k)) return i;
      }
      return npos;
    }
    const size_t mask = slots_.size() - 1;
    for (size_t s = static_cast<size_t>(h) & mask;; s = (s + 1) & mask) {
      uint32_t slot = slots_[s];
      if (slot == 0) return npos;
      size_t i = slot - 1;
      if (hashes_[i] == h && Eq{}(KeyOf{}(entries_[i]), k)) return i;
    }
  }

  // Appends an entry whose key is not in the table yet.
  Entry& append(Entry&& e, uint64_t h) {
    if (entries_.size() >= UINT32_MAX) throw std::length_error("table too large");
    entries_.push_back(std::move(e));
    hashes_.push_back(h);
    const size_t n = entries_.size();
    if (!slots_.empty() && n * 4 <= slots_.size() * 3) {
      place(h, static_cast<uint32_t>(n));
    } else if (n > kScanned) {
      rebuild();
    }
    return entries_.back();
  }

  Entry& at_position(size_t pos) { return entries_[pos]; }

 private:
  void place(uint64_t h, uint32_t slot) {
    const size_t mask = slots_.size() - 1;
    size_t s = static_cast<size_t>(h) & mask;
    while (slots_[s] != 0) s = (s + 1) & mask;
    slots_[s] = slot;
  }
  void rebuild() {
    size_t cap = 16;
    while (cap * 3 < entries_.size() * 4 + 4) cap *= 2;
    slots_.assign(cap, 0);
    for (size_t i = 0; i < hashes_.size(); ++i) place(hashes_[i], static_cast<uint32_t>(i + 1));
  }

  std::vector<Entry> entries_;
  std::vector<uint64_t> hashes_;
  std::vector<uint32_t> slots_;  // 0: empty; otherwise position + 1
};

struct Identity {
  template <class T>
  const T& operator()(const T& v) const {
    return v;
  }
};
struct FirstOf {
  template <class P>
  const auto& operator()(const P& p) const {
    return p.first;
  }
};

}  // namespace detail

// A set keeps the first of two equal elements where it first stood.
// Equality compares contents, whatever their order.
template <class T, class Eq = std::equal_to<T>>
class HashSet : public detail::OrderedTable<T, T, detail::Identity, Eq> {
  using Base = detail::OrderedTable<T, T, detail::Identity, Eq>;

 public:
  HashSet() = default;
  HashSet(std::initializer_list<T> items) {
    for (const T& e : items) insert(e);
  }

  // Whether `v` was added; an equal element already there stays.
  bool insert(T v) {
    uint64_t h = Base::hash_of(v);
    if (Base::position(v, h) != Base::npos) return false;
    Base::append(std::move(v), h);
    return true;
  }

  friend bool operator==(const HashSet& a, const HashSet& b) {
    if (a.size() != b.size()) return false;
    for (const T& e : a) {
      if (!b.contains(e)) return false;
    }
    return true;
  }
};

// A map keeps a repeated key at its first position with its last value.
// Equality compares contents, whatever their order.
template <class K, class V>
class HashMap : public detail::OrderedTable<std::pair<K, V>, K, detail::FirstOf, std::equal_to<K>> {
  using Base = detail::OrderedTable<std::pair<K, V>, K, detail::FirstOf, std::equal_to<K>>;

 public:
  HashMap() = default;
  HashMap(std::initializer_list<std::pair<K, V>> items) {
    for (const auto& [k, v] : items) insert_or_assign(k, v);
  }

  void insert_or_assign(K k, V v) {
    uint64_t h = Base::hash_of(k);
    size_t pos = Base::position(k, h);
    if (pos != Base::npos) {
      Base::at_position(pos).second = std::move(v);
    } else {
      Base::append(std::pair<K, V>(std::move(k), std::move(v)), h);
    }
  }

  // The value of `k`, added with a default value when missing.
  V& operator[](const K& k) {
    uint64_t h = Base::hash_of(k);
    size_t pos = Base::position(k, h);
    if (pos != Base::npos) return Base::at_position(pos).second;
    return Base::append(std::pair<K, V>(k, V{}), h).second;
  }

  const V& at(const K& k) const {
    auto it = Base::find(k);
    if (it == Base::end()) throw std::out_of_range("key not in map");
    return it->second;
  }

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
