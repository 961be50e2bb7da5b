// A checksum and its algorithm, the algorithm normalised to one of seven names.
#pragma once

#include <string>
#include <string_view>
#include <tuple>

#include "models/record.hpp"

namespace dorvek::ort {

// The canonical name of an algorithm spelling, matched exactly; "UNKNOWN"
// for anything not listed.
std::string canonical_algorithm(std::string_view name);

// The `algorithm` field: read as text and replaced by its canonical name.
struct AlgorithmCodec {
  static constexpr const char* type_name = nullptr;
  static std::string read(Reader& r) { return canonical_algorithm(read_text(r)); }
  static std::string read_buffered(const BufferedNode& n);
  static void write(Writer& w, const std::string& v) { w.serialize_str(v); }
};

struct Hash {
  std::string value;
  std::string algorithm;

  bool operator==(const Hash&) const = default;

  static constexpr const char* type_name = "Hash";
  static constexpr Undeclared undeclared = Undeclared::Skip;
  static constexpr auto fields() {
    using T = Hash;
    return std::tuple{required("value", &T::value), required<AlgorithmCodec>("algorithm", &T::algorithm)};
  }
};

}  // namespace dorvek::ort
