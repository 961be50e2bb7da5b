// The advice provider behind an advisor result and what it can report.
#pragma once

#include <optional>
#include <string>
#include <tuple>

#include "models/ort/advisor_capability.hpp"
#include "models/record.hpp"

namespace dorvek::ort {

struct AdvisorDetails {
  std::string name;
  // None and the empty set differ: the first is written as null.
  std::optional<HashSet<AdvisorCapability>> capabilities;

  bool operator==(const AdvisorDetails&) const = default;

  static constexpr const char* type_name = "AdvisorDetails";
  static constexpr auto fields() {
    using T = AdvisorDetails;
    return std::tuple{required("name", &T::name), optional("capabilities", &T::capabilities)};
  }
};

}  // namespace dorvek::ort
