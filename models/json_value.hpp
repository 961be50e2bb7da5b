// The free-form JSON value: read from any YAML node, written through the one
// field walk with its object keys in sorted order.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "models/reader.hpp"
#include "models/writer.hpp"

namespace dorvek {

class JsonValue;
struct BufferedNode;

// An object: entries kept sorted by key (byte order), each key once.
class JsonObject {
 public:
  using Entry = std::pair<std::string, JsonValue>;

  JsonObject() = default;
  // From entries in any order; of a repeated key the last value stays.
  static JsonObject from_entries(std::vector<Entry> entries);

  void insert_or_assign(std::string key, JsonValue value);
  const JsonValue* find(std::string_view key) const;

  // Defined once JsonValue is complete, as every standard library needs.
  size_t size() const;
  bool empty() const;
  std::vector<Entry>::const_iterator begin() const;
  std::vector<Entry>::const_iterator end() const;

  bool operator==(const JsonObject& o) const;

 private:
  std::vector<Entry> entries_;
};

class JsonValue {
 public:
  enum class Kind : uint8_t { Null, Bool, UInt, Int, Float, String, Array, Object, BigInt };
  using Array = std::vector<JsonValue>;
  // An integer beyond 64 bits, kept exact as its decimal text.
  struct BigInt {
    std::string decimal;
    bool operator==(const BigInt&) const = default;
  };
  // Integers: non-negative ones as uint64_t, negative ones as int64_t, wider
  // ones (only from Python values) as text; floats are always finite.
  using Data =
      std::variant<std::monostate, bool, uint64_t, int64_t, double, std::string, Array, JsonObject, BigInt>;

  static constexpr const char* type_name = nullptr;

  JsonValue() = default;
  explicit JsonValue(Data d) : data(std::move(d)) {}

  Kind kind() const { return static_cast<Kind>(data.index()); }
  bool is_null() const { return kind() == Kind::Null; }
  template <class T>
  const T* get_if() const {
    return std::get_if<T>(&data);
  }

  // Reads any YAML node (aliases replayed, one nesting level per mapping or
  // sequence): infinities and NaN read as null, keys as their scalar text.
  static JsonValue deserialize(Reader& r);
  // Reads a buffered node: as from the events, but mapping keys must be
  // text nodes.
  static JsonValue read_buffered(const BufferedNode& n);

  // Null as unit, integers by sign, objects in key order; nested values carry
  // no declared type name.
  void serialize(Writer& w) const;

  bool operator==(const JsonValue& o) const { return data == o.data; }

  Data data;
};

inline size_t JsonObject::size() const { return entries_.size(); }
inline bool JsonObject::empty() const { return entries_.empty(); }
inline std::vector<JsonObject::Entry>::const_iterator JsonObject::begin() const { return entries_.begin(); }
inline std::vector<JsonObject::Entry>::const_iterator JsonObject::end() const { return entries_.end(); }
inline bool JsonObject::operator==(const JsonObject& o) const { return entries_ == o.entries_; }

}  // namespace dorvek
