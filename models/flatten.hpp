// Records with a flattened part: own keys read directly, every other key
// set aside with its value buffered, then the flattened part (a record, or a
// free-form JsonValue) read from the set-aside pairs. Written as a map with
// no count: the flattened part's entries first, then the own fields.
//
//   struct Run {
//     Header header;
//     std::string config;
//     static constexpr const char* type_name = "Run";
//     static constexpr auto flatten = &Run::header;
//     static constexpr auto fields() { return std::tuple{required("config", &Run::config)}; }
//   };
#pragma once

#include <bitset>
#include <string>
#include <string_view>
#include <vector>

#include "models/buffered.hpp"
#include "models/json_value.hpp"
#include "models/record.hpp"

namespace dorvek {

// A key the flattening record does not own, with its value buffered whole.
struct BufferedPair {
  std::string_view key;
  BufferedNode value;
  bool taken = false;
};
using BufferedPairs = std::vector<BufferedPair>;

// A flattened record takes, in document order, the pairs under its own keys.
template <Record F>
void read_flattened_part(F& out, BufferedPairs& pairs) {
  using Info = RecordInfo<F>;
  std::bitset<Info::size> seen;
  size_t hint = 0;
  for (BufferedPair& p : pairs) {
    if (p.taken) continue;
    int idx = Info::find(p.key, hint);
    if (idx < 0) continue;
    p.taken = true;
    BufferedFields<F>::take(static_cast<size_t>(idx), p.value, out, seen);
    hint = static_cast<size_t>(idx) + 1;
  }
  Info::check_missing(seen);
}

// A flattened free-form object takes every pair left; of a repeated key the
// last value stays.
inline void read_flattened_part(JsonValue& out, BufferedPairs& pairs) {
  std::vector<JsonObject::Entry> entries;
  for (BufferedPair& p : pairs) {
    if (p.taken) continue;
    p.taken = true;
    entries.emplace_back(std::string(p.key), JsonValue::read_buffered(p.value));
  }
  out = JsonValue(JsonObject::from_entries(std::move(entries)));
}

template <Flattened T>
T read_flattened(Reader& r) {
  using Info = RecordInfo<T>;
  T out{};
  with_event(r, [&](Reader& rr, const Event& e) {
    std::bitset<Info::size> seen;
    BufferedPairs pairs;
    if (e.kind == EventKind::MappingStart) {
      rr.visit_mapping(e, [&](Reader& in) {
        return read_record_entries_with<T, false>(in, out, seen, [&](std::string_view key, Reader& vr) {
          pairs.push_back({key, buffer_node(vr), false});
        });
      });
    } else if (!rr.is_empty_value(e)) {
      rr.invalid_type(e, Info::expected());
    }
    // Own missing keys before anything of the flattened part.
    Info::check_missing(seen);
    read_flattened_part(out.*(T::flatten), pairs);
  });
  return out;
}

inline void write_text(const void* p, Writer& w) { w.serialize_str(*static_cast<const std::string_view*>(p)); }

template <Record F>
void write_flattened_part(MapWriter& m, const F& v) {
  for_each_field(v, [&](std::string_view key, ValueRef value) {
    m.serialize_entry(ValueRef{&key, &write_text, nullptr}, value);
  });
}

// Only an object (or null, for no entries) can stand in a map.
inline void write_flattened_part(MapWriter& m, const JsonValue& v) {
  const char* got = nullptr;
  switch (v.kind()) {
    case JsonValue::Kind::Null: return;
    case JsonValue::Kind::Object:
      for (const auto& [k, val] : *v.get_if<JsonObject>()) m.serialize_entry(value_ref(k), value_ref(val));
      return;
    case JsonValue::Kind::Bool: got = "a boolean"; break;
    case JsonValue::Kind::UInt:
    case JsonValue::Kind::Int:
    case JsonValue::Kind::BigInt: got = "an integer"; break;
    case JsonValue::Kind::Float: got = "a float"; break;
    case JsonValue::Kind::String: got = "a string"; break;
    case JsonValue::Kind::Array: got = "a sequence"; break;
  }
  throw YamlError::custom(std::string("can only flatten structs and maps (got ") + got + ")");
}

template <Flattened T>
void write_flattened(Writer& w, const T& v) {
  MapWriter& m = w.serialize_map(std::nullopt);
  write_flattened_part(m, v.*(T::flatten));
  for_each_field(v, [&](std::string_view key, ValueRef value) {
    m.serialize_entry(ValueRef{&key, &write_text, nullptr}, value);
  });
  m.end();
}

template <Flattened T>
struct Codec<T> {
  static constexpr const char* type_name = T::type_name;
  static T read(Reader& r) { return read_flattened<T>(r); }
  static void write(Writer& w, const T& v) { write_flattened(w, v); }
};

}  // namespace dorvek
