// Why an issue is resolved.
#pragma once

#include <cstdint>

#include "models/ort/name_or_code.hpp"

namespace dorvek::ort {

enum class IssueResolutionReason : uint8_t { BUILD_TOOL_ISSUE = 1, CANT_FIX_ISSUE, SCANNER_ISSUE };

constexpr Enumeration<3> enumeration(IssueResolutionReason) {
  return {"IssueResolutionReason", {"BUILD_TOOL_ISSUE", "CANT_FIX_ISSUE", "SCANNER_ISSUE"}};
}

}  // namespace dorvek::ort
