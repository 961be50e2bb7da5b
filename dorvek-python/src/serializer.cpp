#include "serializer.hpp"

#include <stdexcept>

#include "object.hpp"

namespace dorvek::py {

namespace {

Ref write_value(ValueRef v, const char* hint) {
  Serializer s(hint);
  v.write(s);
  return s.take();
}

}  // namespace

Ref to_python(ValueRef v, const char* hint) { return write_value(v, hint); }

Ref Serializer::take() {
  // A walk that wrote nothing is a fault of the walk, not of the data.
  if (!result_) throw std::logic_error("a model value wrote nothing");
  return std::move(result_);
}

void Serializer::serialize_bool(bool v) { result_ = Ref::borrow(v ? Py_True : Py_False); }
void Serializer::serialize_i64(int64_t v) { result_ = check(PyLong_FromLongLong(v)); }
void Serializer::serialize_u64(uint64_t v) { result_ = check(PyLong_FromUnsignedLongLong(v)); }
void Serializer::serialize_f64(double v) { result_ = check(PyFloat_FromDouble(v)); }
void Serializer::serialize_integer_text(std::string_view decimal) {
  result_ = check(PyLong_FromString(std::string(decimal).c_str(), nullptr, 10));
}
void Serializer::serialize_str(std::string_view v) { result_ = str(v); }
void Serializer::serialize_unit() { result_ = Ref::borrow(Py_None); }

void Serializer::serialize_some(ValueRef v) {
  hint_ = v.type_name;
  v.write(*this);
}

void Serializer::serialize_unit_variant(std::string_view, std::string_view name) {
  // Enumeration names are static texts: one shared str each.
  result_ = static_name(name);
}

SeqWriter& Serializer::serialize_seq(size_t len) {
  state_ = State::Seq;
  elements_.reserve(len);
  return *this;
}

MapWriter& Serializer::serialize_map(std::optional<size_t>) {
  state_ = State::Map;
  dict_ = check(PyDict_New());
  return *this;
}

StructWriter& Serializer::serialize_struct(std::string_view type_name, size_t fields) {
  state_ = State::Struct;
  struct_name_ = static_name(type_name);
  names_.reserve(fields);
  elements_.reserve(fields);
  return *this;
}

void Serializer::serialize_element(ValueRef v) { elements_.push_back(write_value(v, nullptr)); }

void Serializer::serialize_key(ValueRef k) { pending_key_ = write_value(k, nullptr); }

void Serializer::serialize_value(ValueRef v) {
  Ref key = std::move(pending_key_);
  if (!key) raise(PyExc_ValueError, "map value serialized before its key");
  Ref value = write_value(v, v.type_name);
  check(PyDict_SetItem(dict_.get(), key.get(), value.get()));
}

void Serializer::serialize_field(std::string_view name, ValueRef v) {
  Ref value = write_value(v, v.type_name);
  names_.push_back(static_name(name));
  elements_.push_back(std::move(value));
}

void Serializer::end() {
  switch (state_) {
    case State::Seq: {
      Ref list = check(PyList_New(static_cast<Py_ssize_t>(elements_.size())));
      for (size_t i = 0; i < elements_.size(); ++i) {
        PyList_SET_ITEM(list.get(), static_cast<Py_ssize_t>(i), elements_[i].release());
      }
      elements_.clear();
      result_ = std::move(list);
      break;
    }
    case State::Map: {
      pending_key_ = Ref();
      Ref dict = std::move(dict_);
      result_ = hint_ ? make_object(static_name(hint_).get(), dict.get()) : std::move(dict);
      break;
    }
    case State::Struct: {
      result_ = make_record(struct_name_.get(), names_, elements_);
      names_.clear();
      elements_.clear();
      break;
    }
    case State::Value:
      throw std::logic_error("end of a value that opened nothing");
  }
}

}  // namespace dorvek::py
