#include "models/error.hpp"

#include <vector>

#include "models/validation_error.hpp"

namespace dorvek {

namespace {

void append_text(const Path& p, std::string& out);

void append_prefix(const Path& p, std::string& out) {
  if (p.kind == Path::Kind::Root) return;
  append_text(p, out);
  out += '.';
}

void append_text(const Path& p, std::string& out) {
  switch (p.kind) {
    case Path::Kind::Root:
      out += '.';
      break;
    case Path::Kind::Element:
      append_text(*p.parent, out);
      out += '[';
      out += std::to_string(p.index);
      out += ']';
      break;
    case Path::Kind::MapValue:
      append_prefix(*p.parent, out);
      out += p.key;
      break;
    case Path::Kind::Alias:
      append_text(*p.parent, out);
      break;
    case Path::Kind::NonTextKey:
      append_prefix(*p.parent, out);
      out += '?';
      break;
  }
}

std::string line_column(const Mark& m) {
  return "line " + std::to_string(m.line + 1) + " column " + std::to_string(m.column + 1);
}

bool shows(const Mark& m) { return m.line != 0 || m.column != 0; }

YamlError make(YamlError::Kind k, std::string message = {}) {
  auto d = std::make_shared<YamlError::Data>();
  d->kind = k;
  d->message = std::move(message);
  return YamlError(std::move(d));
}

}  // namespace

std::string Path::text() const {
  // Paths nest as deep as the document; render without recursion limits mattering
  // (depth is bounded by the reader's nesting limit).
  std::string out;
  append_text(*this, out);
  return out;
}

YamlError YamlError::custom(std::string message) { return make(Kind::Message, std::move(message)); }

YamlError YamlError::custom(const ValidationError& e) { return custom(e.text()); }

YamlError YamlError::end_of_stream() { return make(Kind::EndOfStream); }

YamlError YamlError::more_than_one_document() { return make(Kind::MoreThanOneDocument); }

YamlError YamlError::recursion_limit(const Mark& m) {
  auto d = std::make_shared<Data>();
  d->kind = Kind::RecursionLimit;
  d->mark = m;
  return YamlError(std::move(d));
}

YamlError YamlError::repetition_limit() { return make(Kind::RepetitionLimit); }

YamlError YamlError::unknown_anchor(const Mark& m) {
  auto d = std::make_shared<Data>();
  d->kind = Kind::UnknownAnchor;
  d->mark = m;
  return YamlError(std::move(d));
}

YamlError YamlError::syntax(std::string problem, uint64_t offset, const Mark& problem_mark,
                            const char* context, const Mark& context_mark) {
  auto d = std::make_shared<Data>();
  d->kind = Kind::Syntax;
  d->message = std::move(problem);
  d->offset = offset;
  d->mark = problem_mark;
  if (context) {
    d->has_context = true;
    d->context = context;
  }
  d->context_mark = context_mark;
  return YamlError(std::move(d));
}

void YamlError::fix_mark(const Mark& m, const Path& p) {
  if (data_->kind != Kind::Message || data_->has_position) return;
  auto d = std::make_shared<Data>(*data_);
  d->has_position = true;
  d->mark = m;
  d->path = p.text();
  data_ = std::move(d);
}

std::string YamlError::text() const {
  const Data& d = *data_;
  std::string out;
  switch (d.kind) {
    case Kind::Syntax:
      out = d.message;
      if (shows(d.mark)) {
        out += " at " + line_column(d.mark);
      } else if (d.offset != 0) {
        out += " at position " + std::to_string(d.offset);
      }
      if (d.has_context) {
        out += ", " + d.context;
        if (shows(d.context_mark) &&
            (d.context_mark.line != d.mark.line || d.context_mark.column != d.mark.column)) {
          out += " at " + line_column(d.context_mark);
        }
      }
      return out;
    case Kind::Message:
      if (d.has_position && d.path != ".") out = d.path + ": ";
      out += d.message;
      if (d.has_position && shows(d.mark)) out += " at " + line_column(d.mark);
      return out;
    case Kind::EndOfStream:
      return "EOF while parsing a value";
    case Kind::MoreThanOneDocument:
      return "deserializing from YAML containing more than one document is not supported";
    case Kind::RecursionLimit:
      out = "recursion limit exceeded";
      break;
    case Kind::RepetitionLimit:
      return "repetition limit exceeded";
    case Kind::UnknownAnchor:
      out = "unknown anchor";
      break;
  }
  if (shows(d.mark)) out += " at " + line_column(d.mark);
  return out;
}

namespace msg {

std::string missing_field(std::string_view key) { return "missing field `" + std::string(key) + "`"; }

std::string duplicate_field(std::string_view key) {
  return "duplicate field `" + std::string(key) + "`";
}

std::string unknown_field(std::string_view key, const std::string_view* keys, size_t n) {
  std::string out = "unknown field `" + std::string(key) + "`, ";
  if (n == 0) return out + "there are no fields";
  out += "expected ";
  if (n == 1) return out + "`" + std::string(keys[0]) + "`";
  if (n == 2) return out + "`" + std::string(keys[0]) + "` or `" + std::string(keys[1]) + "`";
  out += "one of ";
  for (size_t i = 0; i < n; ++i) {
    if (i) out += ", ";
    out += "`";
    out += keys[i];
    out += "`";
  }
  return out;
}

std::string invalid_type(std::string_view found, std::string_view expected) {
  return "invalid type: " + std::string(found) + ", expected " + std::string(expected);
}

std::string invalid_value(std::string_view found, std::string_view expected) {
  return "invalid value: " + std::string(found) + ", expected " + std::string(expected);
}

std::string invalid_length(size_t len, std::string_view expected) {
  return "invalid length " + std::to_string(len) + ", expected " + std::string(expected);
}

}  // namespace msg

}  // namespace dorvek
