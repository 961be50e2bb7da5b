// What one scan found. The times are texts as written, never parsed.
#pragma once

#include <string>
#include <tuple>
#include <vector>

#include "models/ort/copyright_finding.hpp"
#include "models/ort/issue.hpp"
#include "models/ort/license_finding.hpp"
#include "models/ort/snippet_finding.hpp"
#include "models/record.hpp"

namespace dorvek::ort {

struct ScanSummary {
  std::string start_time;
  std::string end_time;
  HashSet<LicenseFinding> licenses;
  HashSet<CopyrightFinding> copyrights;
  HashSet<SnippetFinding> snippets;
  std::vector<Issue> issues;

  bool operator==(const ScanSummary&) const = default;

  static constexpr const char* type_name = "ScanSummary";
  static constexpr auto fields() {
    using T = ScanSummary;
    return std::tuple{required("start_time", &T::start_time), required("end_time", &T::end_time),
                      defaulted("licenses", &T::licenses),     defaulted("copyrights", &T::copyrights),
                      defaulted("snippets", &T::snippets),     defaulted("issues", &T::issues)};
  }
};

}  // namespace dorvek::ort
