// Why a rule violation is resolved.
#pragma once

#include <cstdint>

#include "models/ort/name_or_code.hpp"

namespace dorvek::ort {

enum class RuleViolationResolutionReason : uint8_t {
  CANT_FIX_EXCEPTION = 1, DYNAMIC_LINKAGE_EXCEPTION, EXAMPLE_OF_EXCEPTION, LICENSE_ACQUIRED_EXCEPTION,
  NOT_MODIFIED_EXCEPTION, PATENT_GRANT_EXCEPTION
};

constexpr Enumeration<6> enumeration(RuleViolationResolutionReason) {
  return {"RuleViolationResolutionReason",
          {"CANT_FIX_EXCEPTION", "DYNAMIC_LINKAGE_EXCEPTION", "EXAMPLE_OF_EXCEPTION",
           "LICENSE_ACQUIRED_EXCEPTION", "NOT_MODIFIED_EXCEPTION", "PATENT_GRANT_EXCEPTION"}};
}

}  // namespace dorvek::ort
