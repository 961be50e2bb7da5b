// Why a license finding is curated.
#pragma once

#include <cstdint>

#include "models/ort/name_or_code.hpp"

namespace dorvek::ort {

enum class LicenseFindingCurationReason : uint8_t {
  CODE = 1, DATA_OF, DOCUMENTATION_OF, INCORRECT, NOT_DETECTED, REFERENCE
};

constexpr Enumeration<6> enumeration(LicenseFindingCurationReason) {
  return {"LicenseFindingCurationReason", {"CODE", "DATA_OF", "DOCUMENTATION_OF", "INCORRECT", "NOT_DETECTED", "REFERENCE"}};
}

}  // namespace dorvek::ort
