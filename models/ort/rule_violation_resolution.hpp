// A rule violation that is accepted, and why.
#pragma once

#include <string>
#include <tuple>

#include "models/ort/rule_violation_reason.hpp"
#include "models/record.hpp"

namespace dorvek::ort {

struct RuleViolationResolution {
  std::string message;
  RuleViolationResolutionReason reason{};
  std::string comment;

  bool operator==(const RuleViolationResolution&) const = default;

  static constexpr const char* type_name = "RuleViolationResolution";
  static constexpr auto fields() {
    using T = RuleViolationResolution;
    return std::tuple{required("message", &T::message), required("reason", &T::reason),
                      required("comment", &T::comment)};
  }
};

}  // namespace dorvek::ort
