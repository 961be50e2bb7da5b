#include "models/buffered.hpp"

#include "models/scalar.hpp"

namespace dorvek {

namespace {

BufferedNode from_event(Reader& r, const Event& e) {
  auto tag = r.tag(e);
  if (tag && !tag->empty() && (*tag)[0] == '!') {
    throw YamlError::custom("untagged and internally tagged enums do not support enum input");
  }
  switch (e.kind) {
    case EventKind::Scalar: {
      Resolved v = resolve_scalar(tag, e.style, r.value(e));
      switch (v.kind) {
        case Resolved::Kind::Null: return {};
        case Resolved::Kind::Bool: return {v.b};
        case Resolved::Kind::UInt: return {v.u};
        case Resolved::Kind::Int: return {v.i};
        case Resolved::Kind::Float: return {v.f};
        case Resolved::Kind::String: return {r.value(e)};
        case Resolved::Kind::UInt128:
        case Resolved::Kind::Int128:
          throw YamlError::custom(msg::invalid_type(describe(v, r.value(e)), "any value"));
      }
      break;
    }
    case EventKind::SequenceStart: {
      BufferedNode::Sequence seq;
      read_elements(r, e, [&](Reader& er) { seq.push_back(buffer_node(er)); });
      return {std::move(seq)};
    }
    case EventKind::MappingStart: {
      BufferedNode::Mapping map;
      read_entries(r, e, [&](Reader& kr, Reader& vr) {
        BufferedNode key = buffer_node(kr);
        map.emplace_back(std::move(key), buffer_node(vr));
      });
      return {std::move(map)};
    }
    case EventKind::Void: return {BufferedNode::NoneValue{}};
    default: break;
  }
  r.invalid_type(e, "any value");
}

}  // namespace

BufferedNode buffer_node(Reader& r) {
  BufferedNode out;
  with_event(r, [&](Reader& rr, const Event& e) { out = from_event(rr, e); });
  return out;
}

std::string describe(const BufferedNode& n) {
  switch (n.kind()) {
    case BufferedNode::Kind::Null: return "unit value";
    case BufferedNode::Kind::None: return "Option value";
    case BufferedNode::Kind::Bool: return *n.get_if<bool>() ? "boolean `true`" : "boolean `false`";
    case BufferedNode::Kind::UInt: return "integer `" + std::to_string(*n.get_if<uint64_t>()) + "`";
    case BufferedNode::Kind::Int: return "integer `" + std::to_string(*n.get_if<int64_t>()) + "`";
    case BufferedNode::Kind::Float: return "floating point `" + float_message_text(*n.get_if<double>()) + "`";
    case BufferedNode::Kind::String: return "string " + debug_quote(*n.get_if<std::string_view>());
    case BufferedNode::Kind::Sequence: return "sequence";
    case BufferedNode::Kind::Mapping: return "map";
  }
  return {};
}

void buffered_invalid_type(const BufferedNode& n, std::string_view expected) {
  throw YamlError::custom(msg::invalid_type(describe(n), expected));
}

std::string length_in_sequence(size_t fields) {
  return fields == 1 ? "1 element in sequence" : std::to_string(fields) + " elements in sequence";
}

std::string Codec<std::string>::read_buffered(const BufferedNode& n) {
  const auto* text = n.get_if<std::string_view>();
  if (!text) buffered_invalid_type(n, "a string");
  return std::string(*text);
}

namespace {

// An unsigned node up to `max`; out-of-range integers are invalid values.
uint64_t read_unsigned(const BufferedNode& n, uint64_t max, const char* expected) {
  if (const auto* u = n.get_if<uint64_t>()) {
    if (*u <= max) return *u;
    throw YamlError::custom(msg::invalid_value("integer `" + std::to_string(*u) + "`", expected));
  }
  if (const auto* i = n.get_if<int64_t>()) {
    throw YamlError::custom(msg::invalid_value("integer `" + std::to_string(*i) + "`", expected));
  }
  buffered_invalid_type(n, expected);
}

}  // namespace

uint32_t Codec<uint32_t>::read_buffered(const BufferedNode& n) {
  return static_cast<uint32_t>(read_unsigned(n, UINT32_MAX, "u32"));
}

uint64_t Codec<uint64_t>::read_buffered(const BufferedNode& n) { return read_unsigned(n, UINT64_MAX, "u64"); }

}  // namespace dorvek
