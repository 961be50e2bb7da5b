// The enumeration of where a license finding comes from.
#pragma once

#include <cstdint>

#include "models/ort/name_or_code.hpp"

namespace dorvek::ort {

enum class LicenseSource : uint8_t { CONCLUDED = 1, DECLARED, DETECTED };

constexpr Enumeration<3> enumeration(LicenseSource) { return {"LicenseSource", {"CONCLUDED", "DECLARED", "DETECTED"}}; }

}  // namespace dorvek::ort
