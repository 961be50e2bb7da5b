// Why a dependency scope is excluded; the codes follow this order, not the alphabet.
#pragma once

#include <cstdint>

#include "models/ort/name_or_code.hpp"

namespace dorvek::ort {

enum class ScopeExcludeReason : uint8_t {
  BUILD_TOOL_OF = 1, BUILD_DEPENDENCY_OF, DEV_DEPENDENCY_OF, DOCUMENTATION_DEPENDENCY_OF, PROVIDED_BY,
  PROVIDED_DEPENDENCY_OF, TEST_TOOL_OF, TEST_DEPENDENCY_OF, RUNTIME_DEPENDENCY_OF
};

constexpr Enumeration<9> enumeration(ScopeExcludeReason) {
  return {"ScopeExcludeReason",
          {"BUILD_TOOL_OF", "BUILD_DEPENDENCY_OF", "DEV_DEPENDENCY_OF", "DOCUMENTATION_DEPENDENCY_OF",
           "PROVIDED_BY", "PROVIDED_DEPENDENCY_OF", "TEST_TOOL_OF", "TEST_DEPENDENCY_OF",
           "RUNTIME_DEPENDENCY_OF"}};
}

}  // namespace dorvek::ort
