// The enumeration of how a package is linked.
#pragma once

#include <cstdint>

#include "models/ort/name_or_code.hpp"

namespace dorvek::ort {

enum class PackageLinkage : uint8_t { DYNAMIC = 1, STATIC, PROJECT_DYNAMIC, PROJECT_STATIC };

constexpr Enumeration<4> enumeration(PackageLinkage) { return {"PackageLinkage", {"DYNAMIC", "STATIC", "PROJECT_DYNAMIC", "PROJECT_STATIC"}}; }

}  // namespace dorvek::ort
