// The one reading rule of every enumeration: its exact name, or its 1-based
// code. An enumeration is a tiny declaration found by argument-dependent
// lookup:
//
//   enum class Severity : uint8_t { HINT = 1, WARNING, ERROR };
//   constexpr Enumeration<3> enumeration(Severity) { return {"Severity", {"HINT", "WARNING", "ERROR"}}; }
//
// Values are held as their codes, so the enumerators count from 1 in the
// order of the names.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>

#include "models/codec.hpp"

namespace dorvek {

template <size_t N>
struct Enumeration {
  const char* type_name;
  std::array<std::string_view, N> names;
};

// Reads one value by name or code and gives the code (1..n); anything else
// fails with "invalid {type_name} value: {}", placed at the enclosing record,
// list or map.
uint8_t read_name_or_code(Reader& r, const char* type_name, const std::string_view* names, size_t n);

template <class E>
concept Enumerated = std::is_enum_v<E> && requires(E e) { enumeration(e); };

template <Enumerated E>
struct Codec<E> {
  static constexpr auto decl = enumeration(E{});
  static constexpr const char* type_name = decl.type_name;
  static E read(Reader& r) {
    return static_cast<E>(read_name_or_code(r, decl.type_name, decl.names.data(), decl.names.size()));
  }
  static void write(Writer& w, E v) {
    size_t code = static_cast<size_t>(v);
    // Only reading makes values; a zero-initialised one must not index out of the table.
    if (code < 1 || code > decl.names.size()) {
      throw YamlError::custom("invalid " + std::string(decl.type_name) + " value: " + std::to_string(code));
    }
    w.serialize_unit_variant(decl.type_name, decl.names[code - 1]);
  }
};

}  // namespace dorvek
