// Why a path is excluded.
#pragma once

#include <cstdint>

#include "models/ort/name_or_code.hpp"

namespace dorvek::ort {

enum class PathExcludeReason : uint8_t {
  BUILD_TOOL_OF = 1, DATA_FILE_OF, DOCUMENTATION_OF, EXAMPLE_OF, OPTIONAL_COMPONENT_OF, OTHER, PROVIDED_BY,
  TEST_OF, TEST_TOOL_OF
};

constexpr Enumeration<9> enumeration(PathExcludeReason) {
  return {"PathExcludeReason",
          {"BUILD_TOOL_OF", "DATA_FILE_OF", "DOCUMENTATION_OF", "EXAMPLE_OF", "OPTIONAL_COMPONENT_OF",
           "OTHER", "PROVIDED_BY", "TEST_OF", "TEST_TOOL_OF"}};
}

}  // namespace dorvek::ort
