// The advisor part of an ORT result: the run header flattened into the run's
// own mapping, the configuration, and the results per package.
#pragma once

#include <tuple>
#include <vector>

#include "models/flatten.hpp"
#include "models/ort/advisor_configuration.hpp"
#include "models/ort/advisor_result.hpp"
#include "models/ort/base_run.hpp"
#include "models/ort/identifier.hpp"
#include "models/ort/issue.hpp"
#include "models/record.hpp"

namespace dorvek::ort {

// The results of each package; a repeated identifier keeps its last list.
using AdvisorResultsById = HashMap<Identifier, std::vector<AdvisorResult>>;

struct AdvisorRun {
  BaseRun header;
  AdvisorConfiguration config;
  std::vector<Issue> provider_issues;
  AdvisorResultsById results;

  static constexpr const char* type_name = "AdvisorRun";
  static constexpr auto flatten = &AdvisorRun::header;
  static constexpr auto fields() {
    using T = AdvisorRun;
    return std::tuple{required("config", &T::config), defaulted("provider_issues", &T::provider_issues),
                      defaulted("results", &T::results)};
  }
};

}  // namespace dorvek::ort
