// The one interface through which every model value writes itself. Its three
// implementations make Python values, JSON text and YAML text. Writers report
// failure by throwing; a walk stops at the first one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace dorvek {

class Writer;

// A borrowed value together with its own walk and its declared type name
// (nullptr when the declared type is unnamed: texts, numbers, containers).
struct ValueRef {
  const void* ptr;
  void (*walk)(const void*, Writer&);
  const char* type_name;

  void write(Writer& w) const { walk(ptr, w); }
};

class SeqWriter {
 public:
  virtual void serialize_element(ValueRef v) = 0;
  virtual void end() = 0;

 protected:
  ~SeqWriter() = default;
};

class MapWriter {
 public:
  virtual void serialize_key(ValueRef k) = 0;
  virtual void serialize_value(ValueRef v) = 0;
  virtual void serialize_entry(ValueRef k, ValueRef v) {
    serialize_key(k);
    serialize_value(v);
  }
  virtual void end() = 0;

 protected:
  ~MapWriter() = default;
};

class StructWriter {
 public:
  virtual void serialize_field(std::string_view name, ValueRef v) = 0;
  virtual void end() = 0;

 protected:
  ~StructWriter() = default;
};

class Writer {
 public:
  virtual ~Writer() = default;

  virtual void serialize_bool(bool v) = 0;
  virtual void serialize_i32(int32_t v) { serialize_i64(v); }
  virtual void serialize_u32(uint32_t v) { serialize_u64(v); }
  virtual void serialize_i64(int64_t v) = 0;
  virtual void serialize_u64(uint64_t v) = 0;
  virtual void serialize_f64(double v) = 0;
  // An integer beyond 64 bits as its decimal text ("-" and digits). Only
  // free-form values built from Python integers hold one.
  virtual void serialize_integer_text(std::string_view decimal) = 0;
  virtual void serialize_str(std::string_view v) = 0;
  virtual void serialize_unit() = 0;
  virtual void serialize_none() { serialize_unit(); }
  virtual void serialize_some(ValueRef v) { v.write(*this); }
  virtual void serialize_unit_variant(std::string_view type_name, std::string_view name) = 0;
  virtual SeqWriter& serialize_seq(size_t len) = 0;
  virtual MapWriter& serialize_map(std::optional<size_t> len) = 0;
  virtual StructWriter& serialize_struct(std::string_view type_name, size_t fields) = 0;
};

}  // namespace dorvek
