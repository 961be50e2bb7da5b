#include "writers/json_writer.hpp"

#include <array>
#include <charconv>
#include <cmath>
#include <stdexcept>

#include "models/error.hpp"
#include "models/number_text.hpp"

namespace dorvek {

namespace {

constexpr char kHex[] = "0123456789abcdef";

// The escape of a byte, or 0 when it is written as it is; 'u' for \u00XX.
constexpr char escape_of(unsigned char c) {
  switch (c) {
    case '"': return '"';
    case '\\': return '\\';
    case '\b': return 'b';
    case '\f': return 'f';
    case '\n': return 'n';
    case '\r': return 'r';
    case '\t': return 't';
    default: return c < 0x20 ? 'u' : 0;
  }
}

// escape_of for every byte, looked up in the scan.
constexpr auto kEscapes = [] {
  std::array<char, 256> t{};
  for (int c = 0; c < 256; ++c) t[c] = escape_of(static_cast<unsigned char>(c));
  return t;
}();

void append_string(PieceText& out, std::string_view s) {
  out += '"';
  const char* data = s.data();
  const size_t n = s.size();
  size_t run = 0;  // start of the bytes not yet appended
  for (size_t i = 0; i < n; ++i) {
    const auto c = static_cast<unsigned char>(data[i]);
    const char esc = kEscapes[c];
    if (!esc) continue;
    out.append(s.data() + run, i - run);
    run = i + 1;
    out += '\\';
    out += esc;
    if (esc == 'u') {
      out += "00";
      out += kHex[c >> 4];
      out += kHex[c & 0xF];
    }
  }
  out.append(s.data() + run, s.size() - run);
  out += '"';
}

template <class I>
void append_int(PieceText& out, I v) {
  char buf[24];
  auto res = std::to_chars(buf, buf + sizeof buf, v);
  out.append(buf, res.ptr);
}

[[noreturn]] void key_not_text() { throw YamlError::custom("key must be a string"); }

}  // namespace

void JsonWriter::append_scalar(std::string_view text) {
  if (in_key_) key_not_text();
  out_ += text;
}

void JsonWriter::serialize_bool(bool v) { append_scalar(v ? "true" : "false"); }

void JsonWriter::serialize_i64(int64_t v) {
  if (in_key_) key_not_text();
  append_int(out_, v);
}

void JsonWriter::serialize_u64(uint64_t v) {
  if (in_key_) key_not_text();
  append_int(out_, v);
}

void JsonWriter::serialize_integer_text(std::string_view decimal) { append_scalar(decimal); }

void JsonWriter::serialize_f64(double v) {
  if (in_key_) key_not_text();
  if (std::isfinite(v)) {
    std::string text;
    append_float_text(text, v, true);
    out_ += text;
  } else {
    out_ += "null";
  }
}

void JsonWriter::serialize_str(std::string_view v) {
  in_key_ = false;
  append_string(out_, v);
}

void JsonWriter::serialize_unit() { append_scalar("null"); }

void JsonWriter::serialize_unit_variant(std::string_view, std::string_view name) { serialize_str(name); }

void JsonWriter::open(char c) {
  if (in_key_) key_not_text();
  out_ += c;
  closers_ += c == '{' ? '}' : ']';
  has_value_ = false;
}

// The count is not needed: a container that gets no member closes as "{}" or "[]".
SeqWriter& JsonWriter::serialize_seq(size_t) {
  open('[');
  return *this;
}

MapWriter& JsonWriter::serialize_map(std::optional<size_t>) {
  open('{');
  return *this;
}

StructWriter& JsonWriter::serialize_struct(std::string_view, size_t) {
  open('{');
  return *this;
}

void JsonWriter::begin_member() {
  pieces_.cut_if_full();
  if (has_value_) out_ += ',';
  out_ += '\n';
  out_.append(closers_.size() * 2, ' ');
}

void JsonWriter::serialize_element(ValueRef v) {
  begin_member();
  v.write(*this);
  has_value_ = true;
}

void JsonWriter::serialize_key(ValueRef k) {
  begin_member();
  in_key_ = true;
  k.write(*this);
  if (in_key_) key_not_text();
  out_ += ": ";
}

void JsonWriter::serialize_value(ValueRef v) {
  v.write(*this);
  has_value_ = true;
}

void JsonWriter::serialize_field(std::string_view name, ValueRef v) {
  begin_member();
  append_string(out_, name);
  out_ += ": ";
  v.write(*this);
  has_value_ = true;
}

void JsonWriter::end() {
  if (closers_.empty()) throw std::logic_error("JSON writer: end without an open container");
  char close = closers_.back();
  closers_.pop_back();
  if (has_value_) {
    out_ += '\n';
    out_.append(closers_.size() * 2, ' ');
  }
  out_ += close;
}

std::string to_json_string(ValueRef v) {
  JsonWriter w;
  v.write(w);
  return w.take();
}

std::vector<PieceText> to_json_pieces(ValueRef v) {
  JsonWriter w;
  v.write(w);
  return w.take_pieces();
}

}  // namespace dorvek
