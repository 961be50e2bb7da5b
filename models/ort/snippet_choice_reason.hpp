// Why a snippet was chosen, or none was.
#pragma once

#include <cstdint>

#include "models/ort/name_or_code.hpp"

namespace dorvek::ort {

enum class SnippetChoiceReason : uint8_t { NO_RELEVANT_FINDING = 1, ORIGINAL_FINDING, OTHER };

constexpr Enumeration<3> enumeration(SnippetChoiceReason) {
  return {"SnippetChoiceReason", {"NO_RELEVANT_FINDING", "ORIGINAL_FINDING", "OTHER"}};
}

}  // namespace dorvek::ort
