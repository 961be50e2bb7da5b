// A package identifier: four colon-free parts, always carried as the one text
// "type:namespace:name:version".
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "models/codec.hpp"
#include "models/validation_error.hpp"

namespace dorvek::ort {

class Identifier {
 public:
  static constexpr const char* type_name = "Identifier";

  // Four empty parts; only record slots start from it, documents always parse.
  Identifier() : text_(":::"), c1_(0), c2_(1), c3_(2) {}

  // Cuts at every colon; anything but four parts throws the ValidationError.
  static Identifier from_str(std::string_view text) { return parse(std::string(text)); }
  static ValidationError format_error();

  std::string_view type() const { return std::string_view(text_).substr(0, c1_); }
  std::string_view namespace_() const { return part(c1_ + 1, c2_); }
  std::string_view name() const { return part(c2_ + 1, c3_); }
  std::string_view version() const { return std::string_view(text_).substr(c3_ + 1); }

  // The text form; the parts joined by colons are exactly the stored text.
  const std::string& text() const { return text_; }

  // The four parts contain no colon, so comparing the joined text compares
  // them part by part.
  bool operator==(const Identifier& o) const { return text_ == o.text_; }
  uint64_t hash_value() const { return dorvek::hash_value(text_); }

  static Identifier deserialize(Reader& r);
  void serialize(Writer& w) const { w.serialize_str(text_); }

 private:
  static Identifier parse(std::string text);
  std::string_view part(size_t from, size_t to) const {
    return std::string_view(text_).substr(from, to - from);
  }

  // The whole text and the offsets of its three colons.
  std::string text_;
  size_t c1_, c2_, c3_;
};

}  // namespace dorvek::ort
