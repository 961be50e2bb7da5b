// The resolutions section: issues, rule violations and vulnerabilities that
// the repository's owners have resolved.
#pragma once

#include <tuple>
#include <vector>

#include "models/ort/issue_resolution.hpp"
#include "models/ort/rule_violation_resolution.hpp"
#include "models/ort/vulnerability_resolution.hpp"
#include "models/record.hpp"

namespace dorvek::ort {

struct Resolutions {
  std::vector<IssueResolution> issues;
  std::vector<RuleViolationResolution> rule_violations;
  std::vector<VulnerabilityResolution> vulnerabilities;

  bool operator==(const Resolutions&) const = default;

  static constexpr const char* type_name = "Resolutions";
  static constexpr auto fields() {
    using T = Resolutions;
    return std::tuple{defaulted("issues", &T::issues), defaulted("rule_violations", &T::rule_violations),
                      defaulted("vulnerabilities", &T::vulnerabilities)};
  }
};

}  // namespace dorvek::ort
