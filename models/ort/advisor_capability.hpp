// What kinds of findings an advice provider can deliver.
#pragma once

#include <cstdint>

#include "models/ort/name_or_code.hpp"

namespace dorvek::ort {

enum class AdvisorCapability : uint8_t { DEFECTS = 1, VULNERABILITIES };

constexpr Enumeration<2> enumeration(AdvisorCapability) {
  return {"AdvisorCapability", {"DEFECTS", "VULNERABILITIES"}};
}

}  // namespace dorvek::ort
