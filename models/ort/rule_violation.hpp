// One finding of the evaluator: the rule, what it concerns, and what to do.
#pragma once

#include <optional>
#include <string>
#include <tuple>

#include "models/ort/identifier.hpp"
#include "models/ort/license_source.hpp"
#include "models/ort/severity.hpp"
#include "models/record.hpp"

namespace dorvek::ort {

struct RuleViolation {
  std::string rule;
  std::optional<Identifier> pkg;
  // Taken as written, not parsed as a license expression.
  std::optional<std::string> license;
  HashSet<LicenseSource> license_sources;
  Severity severity = Severity::ERROR;
  std::string message;
  std::string how_to_fix;

  bool operator==(const RuleViolation&) const = default;

  static constexpr const char* type_name = "RuleViolation";
  static constexpr auto fields() {
    using T = RuleViolation;
    return std::tuple{required("rule", &T::rule),         optional("pkg", &T::pkg),
                      optional("license", &T::license),   defaulted("license_sources", &T::license_sources),
                      required("severity", &T::severity), required("message", &T::message),
                      required("how_to_fix", &T::how_to_fix)};
  }
};

}  // namespace dorvek::ort
