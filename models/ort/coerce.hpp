// Fields that take any YAML scalar and keep it as text, whatever YAML makes
// of it: numbers as their number text, booleans as "true" or "false".
#pragma once

#include <optional>
#include <string>

#include "models/codec.hpp"
#include "models/yaml_value.hpp"

namespace dorvek::ort {

// The text of a bool, number or text value; none for anything else.
std::optional<std::string> scalar_to_string(const YamlValue& v);

// An optional text from any scalar: null forms and the empty text give none;
// a collection fails with "expected a string or an integer scalar".
std::optional<std::string> optional_string_from_scalar(Reader& r);

// An optional map of texts from any scalars: null forms give none; a value
// that is no scalar fails with "option '{}' is not a scalar".
std::optional<HashMap<std::string, std::string>> optional_string_map_from_scalars(Reader& r);

// Field codecs naming the readers above; they write like any optional.
struct OptionalStringFromScalar : Codec<std::optional<std::string>> {
  static std::optional<std::string> read(Reader& r) { return optional_string_from_scalar(r); }
};
struct OptionalStringMapFromScalars : Codec<std::optional<HashMap<std::string, std::string>>> {
  static std::optional<HashMap<std::string, std::string>> read(Reader& r) {
    return optional_string_map_from_scalars(r);
  }
};

}  // namespace dorvek::ort
