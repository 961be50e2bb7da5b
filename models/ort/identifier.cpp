#include "models/ort/identifier.hpp"

namespace dorvek::ort {

ValidationError Identifier::format_error() {
  return ValidationError::invalid_field("identifier", "must be in the format 'type:namespace:name:version'");
}

Identifier Identifier::parse(std::string text) {
  size_t colons[3];
  size_t n = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != ':') continue;
    if (n == 3) throw format_error();
    colons[n++] = i;
  }
  if (n != 3) throw format_error();
  Identifier id;
  id.text_ = std::move(text);
  id.c1_ = colons[0];
  id.c2_ = colons[1];
  id.c3_ = colons[2];
  return id;
}

Identifier Identifier::deserialize(Reader& r) {
  try {
    return parse(read_text(r));
  } catch (const ValidationError& e) {
    // Positionless: placed at the enclosing record, list or map.
    throw YamlError::custom(e);
  }
}

}  // namespace dorvek::ort
