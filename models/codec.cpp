#include "models/codec.hpp"

namespace dorvek {

bool take_null(Reader& r, const Event& e) {
  if (e.kind == EventKind::Void) return true;
  if (e.kind != EventKind::Scalar || e.style != ScalarStyle::Plain) return false;
  auto tag = r.tag(e);
  std::string_view text = r.value(e);
  if (!tag) {
    if (!text.empty() && !is_null_form(text)) return false;
  } else if (*tag == tags::null_) {
    if (!is_null_form(text)) {
      throw YamlError::custom(msg::invalid_value("string " + debug_quote(text), "null"));
    }
  } else {
    return false;
  }
  r.next();
  return true;
}

}  // namespace dorvek
