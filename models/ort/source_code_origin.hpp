// The enumeration of where source code is fetched from.
#pragma once

#include <cstdint>

#include "models/ort/name_or_code.hpp"

namespace dorvek::ort {

enum class SourceCodeOrigin : uint8_t { VCS = 1, ARTIFACT };

constexpr Enumeration<2> enumeration(SourceCodeOrigin) { return {"SourceCodeOrigin", {"VCS", "ARTIFACT"}}; }

}  // namespace dorvek::ort
