// Pretty-printed JSON text through the one Writer interface: two-space
// indentation, "key": value members, "{}" and "[]" when empty, no final line
// feed. Floats in their shortest round-trip form, NaN and infinities as null.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "models/codec.hpp"
#include "models/writer.hpp"
#include "writers/text_pieces.hpp"

namespace dorvek {

// Writes one top-level value per instance; take the text with `take()`.
// Failures (a walk's YamlError, or a key that is not text) propagate as
// exceptions and the partial output is to be dropped.
class JsonWriter final : public Writer, SeqWriter, MapWriter, StructWriter {
 public:
  JsonWriter() = default;

  std::string take() { return std::move(pieces_).joined(); }
  std::vector<PieceText> take_pieces() { return std::move(pieces_).pieces(); }

  void serialize_bool(bool v) override;
  void serialize_i64(int64_t v) override;
  void serialize_u64(uint64_t v) override;
  void serialize_f64(double v) override;
  void serialize_integer_text(std::string_view decimal) override;
  void serialize_str(std::string_view v) override;
  void serialize_unit() override;
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
  void open(char c);
  void begin_member();
  void append_scalar(std::string_view text);

  TextPieces pieces_;
  PieceText& out_ = pieces_.last();
  std::string closers_;     // the closing bracket of each open container
  bool has_value_ = false;  // the innermost open container has a member
  bool in_key_ = false;     // a map key is being written: only text is allowed
};

// The JSON text of one value: a model value, a record, or any `ValueRef`.
// Throws what the value's walk throws (a YamlError message error).
std::string to_json_string(ValueRef v);

template <class T>
std::string to_json_string(const T& v) {
  return to_json_string(value_ref(v));
}

// The same text in pieces (text_pieces.hpp).
std::vector<PieceText> to_json_pieces(ValueRef v);

template <class T>
std::vector<PieceText> to_json_pieces(const T& v) {
  return to_json_pieces(value_ref(v));
}

}  // namespace dorvek
