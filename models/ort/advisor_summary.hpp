// When an advice provider ran for a package and what issues it raised.
#pragma once

#include <string>
#include <tuple>
#include <vector>

#include "models/ort/issue.hpp"
#include "models/record.hpp"

namespace dorvek::ort {

struct AdvisorSummary {
  // The characters as written; any scalar, not parsed as a time.
  std::string start_time;
  std::string end_time;
  std::vector<Issue> issues;

  bool operator==(const AdvisorSummary&) const = default;

  static constexpr const char* type_name = "AdvisorSummary";
  static constexpr auto fields() {
    using T = AdvisorSummary;
    return std::tuple{required("start_time", &T::start_time), required("end_time", &T::end_time),
                      defaulted("issues", &T::issues)};
  }
};

}  // namespace dorvek::ort
