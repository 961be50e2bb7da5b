// A copyright statement found in a span of a file.
#pragma once

#include <string>
#include <tuple>

#include "models/identity.hpp"
#include "models/ort/text_location.hpp"
#include "models/record.hpp"

namespace dorvek::ort {

struct CopyrightFinding {
  std::string statement;
  TextLocation location;

  // A finding is its whole value: one statement at several locations is
  // several findings.
  bool operator==(const CopyrightFinding&) const = default;
  uint64_t hash_value() const { return hash_fields(statement, location.path, location.start_line, location.end_line); }

  static constexpr const char* type_name = "CopyrightFinding";
  static constexpr auto fields() {
    using T = CopyrightFinding;
    return std::tuple{required("statement", &T::statement), required("location", &T::location)};
  }
};

}  // namespace dorvek::ort
