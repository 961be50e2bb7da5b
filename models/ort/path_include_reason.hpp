// Why a path is included.
#pragma once

#include <cstdint>

#include "models/ort/name_or_code.hpp"

namespace dorvek::ort {

enum class PathIncludeReason : uint8_t { SOURCE_OF = 1, OTHER };

constexpr Enumeration<2> enumeration(PathIncludeReason) {
  return {"PathIncludeReason", {"SOURCE_OF", "OTHER"}};
}

}  // namespace dorvek::ort
