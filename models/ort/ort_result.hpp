// The ORT result document: the repository, the four runs and the labels.
// Undeclared top-level keys are skipped whole, unread.
#pragma once

#include <optional>
#include <string>
#include <tuple>

#include "models/ort/advisor_run.hpp"
#include "models/ort/analyzer_run.hpp"
#include "models/ort/evaluator_run.hpp"
#include "models/ort/repository.hpp"
#include "models/ort/scanner_run.hpp"
#include "models/record.hpp"
#include "models/validation_error.hpp"

namespace dorvek::ort {

struct OrtResult : Model {
  Repository repository;
  std::optional<AnalyzerRun> analyzer;
  std::optional<ScannerRun> scanner;
  std::optional<AdvisorRun> advisor;
  std::optional<EvaluatorRun> evaluator;
  HashMap<std::string, std::string> labels;

  static constexpr const char* type_name = "OrtResult";
  static constexpr Undeclared undeclared = Undeclared::Skip;
  static constexpr auto fields() {
    using T = OrtResult;
    return std::tuple{required("repository", &T::repository), optional("analyzer", &T::analyzer),
                      optional("scanner", &T::scanner),         optional("advisor", &T::advisor),
                      optional("evaluator", &T::evaluator),     defaulted("labels", &T::labels)};
  }
};

}  // namespace dorvek::ort
