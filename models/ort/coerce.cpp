#include "models/ort/coerce.hpp"

namespace dorvek::ort {

namespace {

// The optional-value rule: aliases followed, null forms give none, anything
// else goes to `read`.
template <class F>
auto read_present(Reader& r, F&& read) -> decltype(read(r)) {
  const Event& e = r.peek();
  if (e.kind == EventKind::Alias) {
    r.next();
    Replay rp(r, e);
    return read_present(rp.reader(), read);
  }
  if (take_null(r, e)) return std::nullopt;
  return read(r);
}

}  // namespace

std::optional<std::string> scalar_to_string(const YamlValue& v) {
  if (const bool* b = v.get_if<bool>()) return std::string(*b ? "true" : "false");
  if (const YamlNumber* n = v.get_if<YamlNumber>()) return n->text();
  if (const std::string* s = v.get_if<std::string>()) return *s;
  return std::nullopt;
}

std::optional<std::string> optional_string_from_scalar(Reader& r) {
  return read_present(r, [](Reader& rr) -> std::optional<std::string> {
    YamlValue v = YamlValue::deserialize(rr);
    if (v.is_null()) return std::nullopt;
    std::optional<std::string> s = scalar_to_string(v);
    // Positionless: placed at the record that holds the field.
    if (!s) throw YamlError::custom("expected a string or an integer scalar");
    if (s->empty()) return std::nullopt;
    return s;
  });
}

std::optional<HashMap<std::string, std::string>> optional_string_map_from_scalars(Reader& r) {
  return read_present(r, [](Reader& rr) -> std::optional<HashMap<std::string, std::string>> {
    // Each key at its first position with its last value; the first key
    // in that order whose value is no scalar is reported.
    HashMap<std::string, YamlValue> values;
    read_mapping(rr, [&](Reader& kr, Reader& vr) {
      std::string key = read_text(kr);
      values.insert_or_assign(std::move(key), YamlValue::deserialize(vr));
    });
    HashMap<std::string, std::string> out;
    out.reserve(values.size());
    for (const auto& [key, value] : values) {
      std::optional<std::string> s = scalar_to_string(value);
      if (!s) throw YamlError::custom("option '" + key + "' is not a scalar");
      out.insert_or_assign(key, std::move(*s));
    }
    return out;
  });
}

}  // namespace dorvek::ort
