// A license to conclude in place of a license finding in one file.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <tuple>

#include "models/ort/coerce.hpp"
#include "models/ort/license_finding_curation_reason.hpp"
#include "models/record.hpp"

namespace dorvek::ort {

struct LicenseFindingCuration {
  std::string path;
  // Any scalar, held as its text: one line number or several written as one text.
  std::optional<std::string> start_lines;
  std::optional<int64_t> line_count;
  std::optional<std::string> detected_license;
  std::string concluded_license;
  LicenseFindingCurationReason reason{};
  std::optional<std::string> comment;

  bool operator==(const LicenseFindingCuration&) const = default;

  static constexpr const char* type_name = "LicenseFindingCuration";
  static constexpr auto fields() {
    using T = LicenseFindingCuration;
    return std::tuple{required("path", &T::path),
                      optional<OptionalStringFromScalar>("start_lines", &T::start_lines),
                      optional("line_count", &T::line_count),
                      optional("detected_license", &T::detected_license),
                      required("concluded_license", &T::concluded_license),
                      required("reason", &T::reason),
                      optional("comment", &T::comment)};
  }
};

}  // namespace dorvek::ort
