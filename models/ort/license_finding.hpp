// A license found in a span of a file, with an optional score.
#pragma once

#include <optional>
#include <string>
#include <tuple>

#include "models/identity.hpp"
#include "models/ort/text_location.hpp"
#include "models/record.hpp"

namespace dorvek::ort {

struct LicenseFinding {
  std::string license;
  TextLocation location;
  std::optional<double> score;

  // A finding is its whole value: one license found at several locations is
  // several findings, and only exact repeats collapse.
  bool operator==(const LicenseFinding& o) const {
    return license == o.license && location == o.location && same_float(score, o.score);
  }
  uint64_t hash_value() const {
    return hash_fields(license, location.path, location.start_line, location.end_line, hash_float(score));
  }

  static constexpr const char* type_name = "LicenseFinding";
  static constexpr auto fields() {
    using T = LicenseFinding;
    return std::tuple{required("license", &T::license), required("location", &T::location),
                      optional("score", &T::score)};
  }
};

}  // namespace dorvek::ort
