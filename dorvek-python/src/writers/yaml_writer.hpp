// YAML text through the one Writer interface, laid out by libyaml's emitter:
// block style, indentation 2, unicode, no line folding, no "---" or "...".
// Texts are quoted exactly when written plain they would read back as
// something else; texts with line feeds become literal blocks.
#pragma once

#include <yaml.h>

#include <string>
#include <string_view>
#include <vector>

#include "models/codec.hpp"
#include "models/writer.hpp"
#include "writers/text_pieces.hpp"

namespace dorvek {

// Writes one top-level value as one document; take the text with `take()`.
// Setting up the emitter failing throws std::runtime_error (an internal
// failure); an emitter failure or a walk's message error throws YamlError.
class YamlWriter final : public Writer, SeqWriter, MapWriter, StructWriter {
 public:
  YamlWriter();
  ~YamlWriter() override;
  YamlWriter(const YamlWriter&) = delete;
  YamlWriter& operator=(const YamlWriter&) = delete;

  // The text of the document, once its root value is complete.
  std::string take();
  // The same text in pieces (text_pieces.hpp).
  std::vector<PieceText> take_pieces();

  // Writes `v` as one YAML document and returns the text.
  static std::string to_string(ValueRef v);

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
  void emit(yaml_event_t& e);
  void before_node();
  void after_node();
  void scalar(std::string_view text, yaml_scalar_style_t style);
  void text(std::string_view text);
  void open_mapping();

  yaml_emitter_t emitter_;
  TextPieces out_;
  std::string open_;  // 'm' or 's' for each open mapping or sequence
  bool done_ = false;
};

// The YAML text of one value: a model value, a record, or any `ValueRef`.
std::string to_yaml_string(ValueRef v);

template <class T>
std::string to_yaml_string(const T& v) {
  return to_yaml_string(value_ref(v));
}

// The same text in pieces (text_pieces.hpp).
std::vector<PieceText> to_yaml_pieces(ValueRef v);

template <class T>
std::vector<PieceText> to_yaml_pieces(const T& v) {
  return to_yaml_pieces(value_ref(v));
}

}  // namespace dorvek
