// The evaluator's run: the run header and the rule violations it found, in
// document order (equal violations are all kept).
#pragma once

#include <tuple>
#include <vector>

#include "models/flatten.hpp"
#include "models/ort/base_run.hpp"
#include "models/ort/rule_violation.hpp"

namespace dorvek::ort {

struct EvaluatorRun {
  BaseRun header;
  std::vector<RuleViolation> violations;

  static constexpr const char* type_name = "EvaluatorRun";
  static constexpr auto flatten = &EvaluatorRun::header;
  static constexpr auto fields() { return std::tuple{defaulted("violations", &EvaluatorRun::violations)}; }
};

}  // namespace dorvek::ort
