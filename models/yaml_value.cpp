#include "models/yaml_value.hpp"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <unordered_map>

#include "models/codec.hpp"
#include "models/containers.hpp"
#include "models/number_text.hpp"
#include "models/scalar.hpp"

namespace dorvek {

bool YamlNumber::operator==(const YamlNumber& o) const {
  if (kind != o.kind) return false;
  switch (kind) {
    case Kind::PosInt: return u == o.u;
    case Kind::NegInt: return i == o.i;
    case Kind::Float: return f == o.f || (std::isnan(f) && std::isnan(o.f));
  }
  return false;
}

std::string YamlNumber::text() const {
  switch (kind) {
    case Kind::PosInt: return std::to_string(u);
    case Kind::NegInt: return std::to_string(i);
    case Kind::Float: break;
  }
  if (std::isnan(f)) return ".nan";
  if (std::isinf(f)) return f < 0 ? "-.inf" : ".inf";
  ShortestDecimal d = shortest_decimal(f);
  std::string out = d.negative ? "-" : "";
  const std::string& D = d.digits;
  int n = static_cast<int>(D.size());
  int k = d.exp10;
  int kk = n + k;
  if (k >= 0 && kk <= 16) {
    out += D;
    out.append(static_cast<size_t>(k), '0');
    out += ".0";
  } else if (kk >= 1 && kk <= 16) {
    out += D.substr(0, static_cast<size_t>(kk));
    out += '.';
    out += D.substr(static_cast<size_t>(kk));
  } else if (kk >= -4 && kk <= 0) {
    out += "0.";
    out.append(static_cast<size_t>(-kk), '0');
    out += D;
  } else {
    out += D[0];
    if (n > 1) {
      out += '.';
      out += D.substr(1);
    }
    out += 'e';
    out += std::to_string(kk - 1);
  }
  return out;
}

YamlTagged::YamlTagged(std::string t, YamlValue v)
    : tag(std::move(t)), value(std::make_unique<YamlValue>(std::move(v))) {}
YamlTagged::YamlTagged(const YamlTagged& o) : tag(o.tag), value(std::make_unique<YamlValue>(*o.value)) {}
YamlTagged& YamlTagged::operator=(const YamlTagged& o) {
  if (this != &o) {
    tag = o.tag;
    value = std::make_unique<YamlValue>(*o.value);
  }
  return *this;
}
YamlTagged::~YamlTagged() = default;

namespace {

// A hash that agrees with equality: mappings hash without regard to order,
// all NaNs alike, and 0.0 like -0.0. Every leaf goes through the keyed hash,
// so no key can be prepared to collide.
uint64_t hash_of(const YamlValue& v) {
  uint64_t h = static_cast<uint64_t>(v.kind()) * 0x9e3779b97f4a7c15ULL;
  switch (v.kind()) {
    case YamlValue::Kind::Null: break;
    case YamlValue::Kind::Bool: h ^= *v.get_if<bool>() ? 1 : 2; break;
    case YamlValue::Kind::Number: {
      const YamlNumber& n = *v.get_if<YamlNumber>();
      uint64_t bits;
      if (n.kind == YamlNumber::Kind::PosInt) {
        bits = n.u;
      } else if (n.kind == YamlNumber::Kind::NegInt) {
        bits = static_cast<uint64_t>(n.i);
      } else if (std::isnan(n.f)) {
        bits = 0x7ff8;
      } else {
        double f = n.f == 0 ? 0.0 : n.f;
        std::memcpy(&bits, &f, sizeof bits);
      }
      // Keyed like texts, so number keys cannot be chosen to collide either.
      char buf[9];
      buf[0] = static_cast<char>(n.kind);
      std::memcpy(buf + 1, &bits, sizeof bits);
      h ^= hash_bytes(std::string_view(buf, sizeof buf));
      break;
    }
    case YamlValue::Kind::String: h ^= hash_value(*v.get_if<std::string>()); break;
    case YamlValue::Kind::Sequence:
      for (const YamlValue& e : *v.get_if<YamlValue::Sequence>()) h = mix_hash(h ^ hash_of(e));
      break;
    case YamlValue::Kind::Mapping: {
      uint64_t sum = 0;
      for (const auto& [k, val] : *v.get_if<YamlValue::Mapping>()) sum += mix_hash(hash_of(k) * 31 + hash_of(val));
      h ^= sum;
      break;
    }
    case YamlValue::Kind::Tagged: {
      const YamlTagged& t = *v.get_if<YamlTagged>();
      h ^= hash_value(t.tag) ^ mix_hash(hash_of(*t.value));
      break;
    }
  }
  return mix_hash(h);
}

// Finds keys of one mapping by hash, so neither duplicate checks nor mapping
// equality turn quadratic on large mappings.
class KeyIndex {
 public:
  explicit KeyIndex(const YamlValue::Mapping& m) : map_(&m) {}
  // The entry whose key equals `key`, or nullptr.
  const std::pair<YamlValue, YamlValue>* find(const YamlValue& key, uint64_t h) const {
    auto [lo, hi] = index_.equal_range(h);
    for (auto it = lo; it != hi; ++it) {
      const auto& entry = (*map_)[it->second];
      if (entry.first == key) return &entry;
    }
    return nullptr;
  }
  void add(uint64_t h, size_t i) { index_.emplace(h, i); }

 private:
  const YamlValue::Mapping* map_;
  std::unordered_multimap<uint64_t, size_t> index_;
};

std::string duplicate_entry(const YamlValue& key) {
  switch (key.kind()) {
    case YamlValue::Kind::Null: return "duplicate entry with null key";
    case YamlValue::Kind::Bool:
      return std::string("duplicate entry with key `") + (*key.get_if<bool>() ? "true" : "false") + "`";
    case YamlValue::Kind::Number: return "duplicate entry with key " + key.get_if<YamlNumber>()->text();
    case YamlValue::Kind::String: return "duplicate entry with key " + debug_quote(*key.get_if<std::string>());
    default: return "duplicate entry in YAML map";
  }
}

YamlValue from_event(Reader& r, const Event& e, bool tag_taken);

YamlValue read_value(Reader& r) {
  YamlValue out;
  with_event(r, [&](Reader& rr, const Event& e) { out = from_event(rr, e, false); });
  return out;
}

YamlValue from_event(Reader& r, const Event& e, bool tag_taken) {
  auto tag = r.tag(e);
  if (!tag_taken && tag && !tag->empty() && (*tag)[0] == '!') {
    std::string t = *tag == "!" ? std::string("!") : std::string(tag->substr(1));
    return YamlValue(YamlTagged(std::move(t), from_event(r, e, true)));
  }
  switch (e.kind) {
    case EventKind::Scalar: {
      // A tagged node's inner value resolves as if untagged.
      Resolved v = resolve_scalar(tag_taken ? std::nullopt : tag, e.style, r.value(e));
      switch (v.kind) {
        case Resolved::Kind::Null: return YamlValue();
        case Resolved::Kind::Bool: return YamlValue(v.b);
        case Resolved::Kind::UInt: return YamlValue(YamlNumber::pos_int(v.u));
        case Resolved::Kind::Int: return YamlValue(YamlNumber::neg_int(v.i));
        case Resolved::Kind::Float: return YamlValue(YamlNumber::float_(v.f));
        case Resolved::Kind::String: return YamlValue(std::string(r.value(e)));
        case Resolved::Kind::UInt128:
        case Resolved::Kind::Int128:
          throw YamlError::custom(msg::invalid_type(describe(v, r.value(e)), "any YAML value"));
      }
      break;
    }
    case EventKind::SequenceStart: {
      YamlValue::Sequence seq;
      read_elements(r, e, [&](Reader& er) { seq.push_back(read_value(er)); });
      return YamlValue(std::move(seq));
    }
    case EventKind::MappingStart: {
      YamlValue::Mapping map;
      KeyIndex index(map);
      read_entries(r, e, [&](Reader& kr, Reader& vr) {
        YamlValue key = read_value(kr);
        uint64_t h = hash_of(key);
        if (index.find(key, h)) throw YamlError::custom(duplicate_entry(key));
        YamlValue value = read_value(vr);
        index.add(h, map.size());
        map.emplace_back(std::move(key), std::move(value));
      });
      return YamlValue(std::move(map));
    }
    case EventKind::Void: return YamlValue();
    default: break;
  }
  r.invalid_type(e, "any YAML value");
}

void append_debug(const YamlValue& v, std::string& out);

void append_key(const YamlValue& k, std::string& out) {
  switch (k.kind()) {
    case YamlValue::Kind::Bool: out += *k.get_if<bool>() ? "true" : "false"; break;
    case YamlValue::Kind::Number: out += k.get_if<YamlNumber>()->text(); break;
    case YamlValue::Kind::String: out += debug_quote(*k.get_if<std::string>()); break;
    default: append_debug(k, out);
  }
}

void append_debug(const YamlValue& v, std::string& out) {
  switch (v.kind()) {
    case YamlValue::Kind::Null: out += "Null"; break;
    case YamlValue::Kind::Bool: out += *v.get_if<bool>() ? "Bool(true)" : "Bool(false)"; break;
    case YamlValue::Kind::Number:
      out += "Number(";
      out += v.get_if<YamlNumber>()->text();
      out += ')';
      break;
    case YamlValue::Kind::String:
      out += "String(";
      out += debug_quote(*v.get_if<std::string>());
      out += ')';
      break;
    case YamlValue::Kind::Sequence: {
      out += "Sequence [";
      const char* sep = "";
      for (const YamlValue& e : *v.get_if<YamlValue::Sequence>()) {
        out += sep;
        append_debug(e, out);
        sep = ", ";
      }
      out += ']';
      break;
    }
    case YamlValue::Kind::Mapping: {
      out += "Mapping {";
      const char* sep = "";
      for (const auto& [k, val] : *v.get_if<YamlValue::Mapping>()) {
        out += sep;
        append_key(k, out);
        out += ": ";
        append_debug(val, out);
        sep = ", ";
      }
      out += '}';
      break;
    }
    case YamlValue::Kind::Tagged: {
      const YamlTagged& t = *v.get_if<YamlTagged>();
      out += "TaggedValue { tag: !";
      out += t.tag;
      out += ", value: ";
      append_debug(*t.value, out);
      out += " }";
      break;
    }
  }
}

bool mappings_equal(const YamlValue::Mapping& a, const YamlValue::Mapping& b) {
  if (a.size() != b.size()) return false;
  if (a.size() <= 8) {
    for (const auto& [k, v] : a) {
      auto it = std::find_if(b.begin(), b.end(), [&](const auto& e) { return e.first == k; });
      if (it == b.end() || !(it->second == v)) return false;
    }
    return true;
  }
  KeyIndex index(b);
  for (size_t i = 0; i < b.size(); ++i) index.add(hash_of(b[i].first), i);
  for (const auto& [k, v] : a) {
    const auto* e = index.find(k, hash_of(k));
    if (!e || !(e->second == v)) return false;
  }
  return true;
}

}  // namespace

YamlValue YamlValue::deserialize(Reader& r) { return read_value(r); }

std::string YamlValue::debug() const {
  std::string out;
  append_debug(*this, out);
  return out;
}

bool YamlValue::operator==(const YamlValue& o) const {
  if (kind() != o.kind()) return false;
  switch (kind()) {
    case Kind::Null: return true;
    case Kind::Bool: return *get_if<bool>() == *o.get_if<bool>();
    case Kind::Number: return *get_if<YamlNumber>() == *o.get_if<YamlNumber>();
    case Kind::String: return *get_if<std::string>() == *o.get_if<std::string>();
    case Kind::Sequence: return *get_if<Sequence>() == *o.get_if<Sequence>();
    case Kind::Mapping: return mappings_equal(*get_if<Mapping>(), *o.get_if<Mapping>());
    case Kind::Tagged: {
      const YamlTagged& a = *get_if<YamlTagged>();
      const YamlTagged& b = *o.get_if<YamlTagged>();
      return a.tag == b.tag && *a.value == *b.value;
    }
  }
  return false;
}

}  // namespace dorvek
