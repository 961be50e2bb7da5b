#include "models/ort/name_or_code.hpp"

#include "models/yaml_value.hpp"

namespace dorvek {

namespace {

// The code of a name, or 0.
uint8_t code_of(std::string_view text, const std::string_view* names, size_t n) {
  for (size_t i = 0; i < n; ++i) {
    if (names[i] == text) return static_cast<uint8_t>(i + 1);
  }
  return 0;
}

}  // namespace

uint8_t read_name_or_code(Reader& r, const char* type_name, const std::string_view* names, size_t n) {
  // Untagged scalars, the usual case, resolve straight from the event.
  const Event& e = r.peek();
  if (e.kind == EventKind::Scalar && !e.has_tag) {
    Resolved v = resolve_scalar(r, e);
    uint8_t code = 0;
    if (v.kind == Resolved::Kind::String) {
      code = code_of(r.value(e), names, n);
    } else if (v.kind == Resolved::Kind::UInt && v.u >= 1 && v.u <= n) {
      code = static_cast<uint8_t>(v.u);
    }
    if (code != 0) {
      r.next();
      return code;
    }
  }
  YamlValue v = YamlValue::deserialize(r);
  std::string shown;
  if (const auto* s = v.get_if<std::string>()) {
    if (uint8_t code = code_of(*s, names, n)) return code;
    shown = *s;
  } else if (const auto* num = v.get_if<YamlNumber>()) {
    if (num->kind == YamlNumber::Kind::PosInt && num->u >= 1 && num->u <= n) return static_cast<uint8_t>(num->u);
    shown = num->text();
  } else {
    shown = v.debug();
  }
  throw YamlError::custom("invalid " + std::string(type_name) + " value: " + shown);
}

}  // namespace dorvek
