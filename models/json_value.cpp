#include "models/json_value.hpp"

#include <cmath>

#include "models/buffered.hpp"
#include "models/codec.hpp"
#include "models/scalar.hpp"

namespace dorvek {

JsonObject JsonObject::from_entries(std::vector<Entry> entries) {
  std::stable_sort(entries.begin(), entries.end(),
                   [](const Entry& a, const Entry& b) { return a.first < b.first; });
  // Of each run of equal keys keep the last.
  size_t out = 0;
  for (size_t i = 0; i < entries.size(); ++i) {
    if (i + 1 < entries.size() && entries[i + 1].first == entries[i].first) continue;
    if (out != i) entries[out] = std::move(entries[i]);
    ++out;
  }
  entries.resize(out);
  JsonObject o;
  o.entries_ = std::move(entries);
  return o;
}

void JsonObject::insert_or_assign(std::string key, JsonValue value) {
  auto it = std::lower_bound(entries_.begin(), entries_.end(), key,
                             [](const Entry& e, const std::string& k) { return e.first < k; });
  if (it != entries_.end() && it->first == key) {
    it->second = std::move(value);
  } else {
    entries_.emplace(it, std::move(key), std::move(value));
  }
}

const JsonValue* JsonObject::find(std::string_view key) const {
  auto it = std::lower_bound(entries_.begin(), entries_.end(), key,
                             [](const Entry& e, std::string_view k) { return e.first < k; });
  return it != entries_.end() && it->first == key ? &it->second : nullptr;
}

namespace {

// A mapping key as any scalar's text; a collection key is a type error.
std::string_view key_text(Reader& r, std::string_view expected) {
  const Event& e = r.next();
  if (e.kind == EventKind::Alias) {
    Replay rp(r, e);
    return key_text(rp.reader(), expected);
  }
  if (e.kind != EventKind::Scalar) r.invalid_type(e, expected);
  return r.value(e);
}

JsonValue from_event(Reader& r, const Event& e) {
  auto tag = r.tag(e);
  if (tag && !tag->empty() && (*tag)[0] == '!') {
    throw YamlError::custom(msg::invalid_type("enum", "any valid JSON value"));
  }
  switch (e.kind) {
    case EventKind::Scalar: {
      Resolved v = resolve_scalar(tag, e.style, r.value(e));
      switch (v.kind) {
        case Resolved::Kind::Null: return JsonValue();
        case Resolved::Kind::Bool: return JsonValue(v.b);
        case Resolved::Kind::UInt: return JsonValue(v.u);
        case Resolved::Kind::Int: return JsonValue(v.i);
        case Resolved::Kind::Float: return std::isfinite(v.f) ? JsonValue(v.f) : JsonValue();
        case Resolved::Kind::String: return JsonValue(std::string(r.value(e)));
        case Resolved::Kind::UInt128:
        case Resolved::Kind::Int128: throw YamlError::custom("JSON number out of range");
      }
      break;
    }
    case EventKind::SequenceStart: {
      JsonValue::Array arr;
      read_elements(r, e, [&](Reader& er) { arr.push_back(JsonValue::deserialize(er)); });
      return JsonValue(std::move(arr));
    }
    case EventKind::MappingStart: {
      std::vector<JsonObject::Entry> entries;
      read_entries(r, e, [&](Reader& kr, Reader& vr) {
        std::string_view key = key_text(kr, entries.empty() ? "a string key" : "a string");
        entries.emplace_back(std::string(key), JsonValue::deserialize(vr));
      });
      return JsonValue(JsonObject::from_entries(std::move(entries)));
    }
    case EventKind::Void: return JsonValue();
    default: break;
  }
  r.invalid_type(e, "any valid JSON value");
}

}  // namespace

JsonValue JsonValue::deserialize(Reader& r) {
  JsonValue out;
  with_event(r, [&](Reader& rr, const Event& e) { out = from_event(rr, e); });
  return out;
}

JsonValue JsonValue::read_buffered(const BufferedNode& n) {
  switch (n.kind()) {
    case BufferedNode::Kind::Null:
    case BufferedNode::Kind::None: return JsonValue();
    case BufferedNode::Kind::Bool: return JsonValue(*n.get_if<bool>());
    case BufferedNode::Kind::UInt: return JsonValue(*n.get_if<uint64_t>());
    case BufferedNode::Kind::Int: return JsonValue(*n.get_if<int64_t>());
    case BufferedNode::Kind::Float: {
      double f = *n.get_if<double>();
      return std::isfinite(f) ? JsonValue(f) : JsonValue();
    }
    case BufferedNode::Kind::String: return JsonValue(std::string(*n.get_if<std::string_view>()));
    case BufferedNode::Kind::Sequence: {
      Array arr;
      for (const BufferedNode& e : *n.get_if<BufferedNode::Sequence>()) arr.push_back(read_buffered(e));
      return JsonValue(std::move(arr));
    }
    case BufferedNode::Kind::Mapping: {
      std::vector<JsonObject::Entry> entries;
      for (const auto& [k, v] : *n.get_if<BufferedNode::Mapping>()) {
        const auto* key = k.get_if<std::string_view>();
        if (!key) buffered_invalid_type(k, entries.empty() ? "a string key" : "a string");
        entries.emplace_back(std::string(*key), read_buffered(v));
      }
      return JsonValue(JsonObject::from_entries(std::move(entries)));
    }
  }
  return JsonValue();
}

void JsonValue::serialize(Writer& w) const {
  switch (kind()) {
    case Kind::Null: w.serialize_unit(); return;
    case Kind::Bool: w.serialize_bool(*get_if<bool>()); return;
    case Kind::UInt: w.serialize_u64(*get_if<uint64_t>()); return;
    case Kind::Int: {
      int64_t i = *get_if<int64_t>();
      if (i >= 0) {
        w.serialize_u64(static_cast<uint64_t>(i));
      } else {
        w.serialize_i64(i);
      }
      return;
    }
    case Kind::Float: w.serialize_f64(*get_if<double>()); return;
    case Kind::BigInt: w.serialize_integer_text(get_if<BigInt>()->decimal); return;
    case Kind::String: w.serialize_str(*get_if<std::string>()); return;
    case Kind::Array: {
      const Array& a = *get_if<Array>();
      SeqWriter& s = w.serialize_seq(a.size());
      for (const JsonValue& e : a) s.serialize_element(value_ref(e));
      s.end();
      return;
    }
    case Kind::Object: {
      const JsonObject& o = *get_if<JsonObject>();
      MapWriter& m = w.serialize_map(o.size());
      for (const auto& [k, v] : o) m.serialize_entry(value_ref(k), value_ref(v));
      m.end();
      return;
    }
  }
}

}  // namespace dorvek
