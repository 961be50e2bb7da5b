// What one advice provider reported about one package.
#pragma once

#include <tuple>
#include <vector>

#include "models/ort/advisor_details.hpp"
#include "models/ort/advisor_summary.hpp"
#include "models/ort/defect.hpp"
#include "models/ort/vulnerability.hpp"
#include "models/record.hpp"

namespace dorvek::ort {

struct AdvisorResult {
  AdvisorDetails advisor;
  AdvisorSummary summary;
  std::vector<Vulnerability> vulnerabilities;
  std::vector<Defect> defects;

  bool operator==(const AdvisorResult&) const = default;

  static constexpr const char* type_name = "AdvisorResult";
  static constexpr auto fields() {
    using T = AdvisorResult;
    return std::tuple{required("advisor", &T::advisor), required("summary", &T::summary),
                      defaulted("vulnerabilities", &T::vulnerabilities), defaulted("defects", &T::defects)};
  }
};

}  // namespace dorvek::ort
