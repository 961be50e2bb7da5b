// A version-control type name: a known name kept exactly as written, or the
// empty text for anything else.
#pragma once

#include <string>
#include <string_view>

#include "models/codec.hpp"

namespace dorvek::ort {

class VcsType {
 public:
  static constexpr const char* type_name = "VcsType";

  VcsType() = default;

  // Keeps `text` when it equals a known name without regard to ASCII case.
  static VcsType new_(std::string text);

  const std::string& text() const { return text_; }
  bool operator==(const VcsType&) const = default;

  static VcsType deserialize(Reader& r) { return new_(read_text(r)); }
  static VcsType read_buffered(const BufferedNode& n);
  void serialize(Writer& w) const { w.serialize_str(text_); }

 private:
  std::string text_;
};

}  // namespace dorvek::ort
