#include "writers/yaml_writer.hpp"

#include <charconv>
#include <climits>
#include <cmath>
#include <stdexcept>

#include "models/error.hpp"
#include "models/number_text.hpp"
#include "models/scalar.hpp"

namespace dorvek {

namespace {

constexpr const char* kNoProblem = "libyaml emitter failed but there is no error";

int append_output(void* data, unsigned char* buffer, size_t size) {
  auto* out = static_cast<TextPieces*>(data);
  out->last().append(reinterpret_cast<const char*>(buffer), size);
  out->cut_at_line_if_full();
  return 1;
}

// The style that makes `t` read back as the same text: literal blocks for
// lines, single quotes where a plain scalar would resolve to something else.
yaml_scalar_style_t text_style(std::string_view t) {
  if (t.find('\n') != std::string_view::npos) return YAML_LITERAL_SCALAR_STYLE;
  if (is_leading_zero_digits(t) ||
      resolve_scalar(std::nullopt, ScalarStyle::Plain, t).kind != Resolved::Kind::String) {
    return YAML_SINGLE_QUOTED_SCALAR_STYLE;
  }
  return YAML_ANY_SCALAR_STYLE;
}

template <class I>
std::string_view int_text(char (&buf)[24], I v) {
  auto res = std::to_chars(buf, buf + sizeof buf, v);
  return {buf, static_cast<size_t>(res.ptr - buf)};
}

}  // namespace

YamlWriter::YamlWriter() {
  if (!yaml_emitter_initialize(&emitter_)) {
    std::string problem = emitter_.problem ? emitter_.problem : kNoProblem;
    yaml_emitter_delete(&emitter_);
    throw std::runtime_error(problem);
  }
  yaml_emitter_set_unicode(&emitter_, 1);
  yaml_emitter_set_width(&emitter_, -1);
  yaml_emitter_set_output(&emitter_, append_output, &out_);
  yaml_event_t e;
  yaml_stream_start_event_initialize(&e, YAML_UTF8_ENCODING);
  try {
    emit(e);
  } catch (...) {
    yaml_emitter_delete(&emitter_);
    throw;
  }
}

// No stream end: the document end has already flushed the text.
YamlWriter::~YamlWriter() { yaml_emitter_delete(&emitter_); }

std::string YamlWriter::take() {
  if (!done_) throw std::logic_error("YAML writer: no complete document");
  return std::move(out_).joined();
}

std::vector<PieceText> YamlWriter::take_pieces() {
  if (!done_) throw std::logic_error("YAML writer: no complete document");
  return std::move(out_).pieces();
}

std::string YamlWriter::to_string(ValueRef v) {
  YamlWriter w;
  v.write(w);
  return w.take();
}

void YamlWriter::emit(yaml_event_t& e) {
  if (!yaml_emitter_emit(&emitter_, &e)) {
    throw YamlError::custom(emitter_.problem ? emitter_.problem : kNoProblem);
  }
}

void YamlWriter::before_node() {
  if (!open_.empty()) return;
  if (done_) throw std::logic_error("YAML writer: a second root value");
  yaml_event_t e;
  if (!yaml_document_start_event_initialize(&e, nullptr, nullptr, nullptr, 1)) throw std::bad_alloc();
  emit(e);
}

void YamlWriter::after_node() {
  if (!open_.empty()) return;
  yaml_event_t e;
  yaml_document_end_event_initialize(&e, 1);
  emit(e);
  done_ = true;
}

void YamlWriter::scalar(std::string_view text, yaml_scalar_style_t style) {
  if (text.size() > static_cast<size_t>(INT_MAX)) throw YamlError::custom("text too long for the YAML emitter");
  before_node();
  yaml_event_t e;
  // libyaml rejects a null pointer even for the empty text.
  auto* value = reinterpret_cast<const yaml_char_t*>(text.empty() ? "" : text.data());
  if (!yaml_scalar_event_initialize(&e, nullptr, nullptr, const_cast<yaml_char_t*>(value),
                                    static_cast<int>(text.size()), 1, 1, style)) {
    // The only cause short of memory: text that is not UTF-8.
    throw YamlError::custom("text is not valid UTF-8");
  }
  emit(e);
  after_node();
}

void YamlWriter::text(std::string_view t) { scalar(t, text_style(t)); }

void YamlWriter::serialize_bool(bool v) { scalar(v ? "true" : "false", YAML_PLAIN_SCALAR_STYLE); }

void YamlWriter::serialize_i64(int64_t v) {
  char buf[24];
  scalar(int_text(buf, v), YAML_PLAIN_SCALAR_STYLE);
}

void YamlWriter::serialize_u64(uint64_t v) {
  char buf[24];
  scalar(int_text(buf, v), YAML_PLAIN_SCALAR_STYLE);
}

void YamlWriter::serialize_integer_text(std::string_view decimal) { scalar(decimal, YAML_PLAIN_SCALAR_STYLE); }

void YamlWriter::serialize_f64(double v) {
  if (std::isnan(v)) return scalar(".nan", YAML_PLAIN_SCALAR_STYLE);
  if (std::isinf(v)) return scalar(v > 0 ? ".inf" : "-.inf", YAML_PLAIN_SCALAR_STYLE);
  std::string t;
  append_float_text(t, v, false);
  scalar(t, YAML_PLAIN_SCALAR_STYLE);
}

void YamlWriter::serialize_str(std::string_view v) { text(v); }

void YamlWriter::serialize_unit() { scalar("null", YAML_PLAIN_SCALAR_STYLE); }

void YamlWriter::serialize_unit_variant(std::string_view, std::string_view name) { text(name); }

SeqWriter& YamlWriter::serialize_seq(size_t) {
  before_node();
  yaml_event_t e;
  if (!yaml_sequence_start_event_initialize(&e, nullptr, nullptr, 1, YAML_ANY_SEQUENCE_STYLE)) {
    throw std::bad_alloc();
  }
  emit(e);
  open_ += 's';
  return *this;
}

void YamlWriter::open_mapping() {
  before_node();
  yaml_event_t e;
  if (!yaml_mapping_start_event_initialize(&e, nullptr, nullptr, 1, YAML_ANY_MAPPING_STYLE)) {
    throw std::bad_alloc();
  }
  emit(e);
  open_ += 'm';
}

MapWriter& YamlWriter::serialize_map(std::optional<size_t>) {
  open_mapping();
  return *this;
}

StructWriter& YamlWriter::serialize_struct(std::string_view, size_t) {
  open_mapping();
  return *this;
}

void YamlWriter::serialize_element(ValueRef v) { v.write(*this); }
void YamlWriter::serialize_key(ValueRef k) { k.write(*this); }
void YamlWriter::serialize_value(ValueRef v) { v.write(*this); }

void YamlWriter::serialize_field(std::string_view name, ValueRef v) {
  text(name);
  v.write(*this);
}

void YamlWriter::end() {
  if (open_.empty()) throw std::logic_error("YAML writer: end without an open collection");
  yaml_event_t e;
  if (open_.back() == 'm') {
    yaml_mapping_end_event_initialize(&e);
  } else {
    yaml_sequence_end_event_initialize(&e);
  }
  open_.pop_back();
  emit(e);
  after_node();
}

std::string to_yaml_string(ValueRef v) { return YamlWriter::to_string(v); }

std::vector<PieceText> to_yaml_pieces(ValueRef v) {
  YamlWriter w;
  v.write(w);
  return w.take_pieces();
}

}  // namespace dorvek
