// A whole YAML node read as a dynamic value, for readers that must look at a
// value before deciding what it is (enumerations, coercion helpers).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "models/reader.hpp"

namespace dorvek {

// A YAML number: unsigned, negative signed, or float.
struct YamlNumber {
  enum class Kind : uint8_t { PosInt, NegInt, Float };
  Kind kind = Kind::PosInt;
  uint64_t u = 0;  // PosInt
  int64_t i = 0;   // NegInt
  double f = 0;    // Float

  static YamlNumber pos_int(uint64_t v) { return {Kind::PosInt, v, 0, 0}; }
  static YamlNumber neg_int(int64_t v) { return {Kind::NegInt, 0, v, 0}; }
  static YamlNumber float_(double v) { return {Kind::Float, 0, 0, v}; }

  // Same kind and equal value; all NaNs are equal.
  bool operator==(const YamlNumber& o) const;
  // "5", "-3", "1.5", "1000.0", "1e20", ".nan", ".inf", "-.inf".
  std::string text() const;
};

class YamlValue;

// A tag (without its leading "!", or "!" for the bare tag) and its value.
struct YamlTagged {
  std::string tag;
  std::unique_ptr<YamlValue> value;

  YamlTagged(std::string t, YamlValue v);
  YamlTagged(const YamlTagged& o);
  YamlTagged(YamlTagged&&) noexcept = default;
  YamlTagged& operator=(const YamlTagged& o);
  YamlTagged& operator=(YamlTagged&&) noexcept = default;
  ~YamlTagged();
};

class YamlValue {
 public:
  enum class Kind : uint8_t { Null, Bool, Number, String, Sequence, Mapping, Tagged };
  using Sequence = std::vector<YamlValue>;
  // Entries in document order, no two keys equal.
  using Mapping = std::vector<std::pair<YamlValue, YamlValue>>;
  using Data = std::variant<std::monostate, bool, YamlNumber, std::string, Sequence, Mapping, YamlTagged>;

  YamlValue() = default;
  explicit YamlValue(Data d) : data(std::move(d)) {}

  Kind kind() const { return static_cast<Kind>(data.index()); }
  bool is_null() const { return kind() == Kind::Null; }
  template <class T>
  const T* get_if() const {
    return std::get_if<T>(&data);
  }

  // Reads one whole node (aliases replayed, one nesting level per mapping or
  // sequence); a repeated mapping key fails with "duplicate entry ...".
  static YamlValue deserialize(Reader& r);

  // The short form used in messages: "Null", "Bool(true)", "Number(5)",
  // "String(\"x\")", "Sequence [..]", "Mapping {..}", "TaggedValue { tag: !t, value: v }".
  std::string debug() const;

  // Same kind and equal contents; mappings compare without regard to order.
  bool operator==(const YamlValue& o) const;

  Data data;
};

}  // namespace dorvek
