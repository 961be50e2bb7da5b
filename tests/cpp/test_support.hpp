// Test-only helpers: read a value from text, and a writer that records calls.
#pragma once

#include <string>
#include <vector>

#include "models/record.hpp"

namespace dorvek::test {

// Reads `text` as one document whose root is read by `Codec<T>`.
template <class T>
T read_yaml(std::string_view text) {
  return read_document<T>(text, [](Reader& r) { return Codec<T>::read(r); });
}

// The display text of the error that reading `text` as `T` raises, or "ok".
template <class T>
std::string error_of(std::string_view text) {
  try {
    read_yaml<T>(text);
  } catch (const YamlError& e) {
    return e.text();
  }
  return "ok";
}

// Records every writer call as a line of text, nested values indented.
class RecordingWriter : public Writer, SeqWriter, MapWriter, StructWriter {
 public:
  std::vector<std::string> lines;

  void serialize_bool(bool v) override { add(std::string("bool ") + (v ? "true" : "false")); }
  void serialize_i32(int32_t v) override { add("i32 " + std::to_string(v)); }
  void serialize_u32(uint32_t v) override { add("u32 " + std::to_string(v)); }
  void serialize_i64(int64_t v) override { add("i64 " + std::to_string(v)); }
  void serialize_u64(uint64_t v) override { add("u64 " + std::to_string(v)); }
  void serialize_f64(double v) override { add("f64 " + std::to_string(v)); }
  void serialize_str(std::string_view v) override { add("str " + std::string(v)); }
  void serialize_integer_text(std::string_view v) override { add("integer " + std::string(v)); }
  void serialize_unit() override { add("unit"); }
  void serialize_none() override { add("none"); }
  void serialize_some(ValueRef v) override {
    add(std::string("some ") + name(v));
    v.write(*this);
  }
  void serialize_unit_variant(std::string_view t, std::string_view n) override {
    add("variant " + std::string(t) + "::" + std::string(n));
  }
  SeqWriter& serialize_seq(size_t n) override {
    add("seq " + std::to_string(n));
    return *this;
  }
  MapWriter& serialize_map(std::optional<size_t> n) override {
    add("map " + (n ? std::to_string(*n) : std::string("-")));
    return *this;
  }
  StructWriter& serialize_struct(std::string_view t, size_t n) override {
    add("struct " + std::string(t) + " " + std::to_string(n));
    return *this;
  }
  void serialize_element(ValueRef v) override { nested("element", v); }
  void serialize_key(ValueRef v) override { nested("key", v); }
  void serialize_value(ValueRef v) override { nested("value", v); }
  void serialize_field(std::string_view f, ValueRef v) override { nested("field " + std::string(f), v); }
  void end() override { add("end"); }

 private:
  static std::string name(ValueRef v) { return v.type_name ? v.type_name : "-"; }
  void add(std::string s) { lines.push_back(std::string(indent_ * 2, ' ') + s); }
  void nested(std::string what, ValueRef v) {
    add(what + " : " + name(v));
    ++indent_;
    v.write(*this);
    --indent_;
  }
  size_t indent_ = 0;
};

}  // namespace dorvek::test
