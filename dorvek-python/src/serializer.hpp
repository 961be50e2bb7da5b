// The Writer that turns any model value into Python objects: an `Object` per
// record, lists for lists and sets, dicts for maps, Python scalars otherwise.
#pragma once

#include <vector>

#include "models/codec.hpp"
#include "py_glue.hpp"

namespace dorvek::py {

// Writes one value. Nested values get a Serializer of their own, carrying the
// declared type name of the value as its hint: a map closed under a hint
// becomes an `Object` of that name. Failures throw (an Error for Python's).
class Serializer final : public Writer, SeqWriter, MapWriter, StructWriter {
 public:
  explicit Serializer(const char* hint) : hint_(hint) {}

  // The finished value.
  Ref take();

  void serialize_bool(bool v) override;
  void serialize_i64(int64_t v) override;
  void serialize_u64(uint64_t v) override;
  void serialize_f64(double v) override;
  void serialize_integer_text(std::string_view decimal) override;
  void serialize_str(std::string_view v) override;
  void serialize_unit() override;
  void serialize_some(ValueRef v) override;
  void serialize_unit_variant(std::string_view type_name, std::string_view name) override;
  SeqWriter& serialize_seq(size_t len) override;
  MapWriter& serialize_map(std::optional<size_t> len) override;
  StructWriter& serialize_struct(std::string_view type_name, size_t fields) override;

  void serialize_element(ValueRef v) override;
  void serialize_key(ValueRef k) override;
  void serialize_value(ValueRef v) override;
  void serialize_field(std::string_view name, ValueRef v) override;
  void end() override;

 private:
  enum class State : uint8_t { Value, Seq, Map, Struct };

  const char* hint_;
  State state_ = State::Value;
  Ref result_;
  std::vector<Ref> elements_;  // Seq: the elements; Struct: the field values
  std::vector<Ref> names_;     // Struct: the field names
  Ref dict_;                   // Map
  Ref pending_key_;            // Map: a key waiting for its value
  Ref struct_name_;            // Struct
};

// The Python value of `v`, written with the hint `hint`.
Ref to_python(ValueRef v, const char* hint);

template <class T>
Ref to_python(const T& v, const char* hint = Codec<T>::type_name) {
  return to_python(value_ref(v), hint);
}

}  // namespace dorvek::py
