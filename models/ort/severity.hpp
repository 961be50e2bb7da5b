// The enumeration of a message's severity.
#pragma once

#include <cstdint>

#include "models/ort/name_or_code.hpp"

namespace dorvek::ort {

enum class Severity : uint8_t { HINT = 1, WARNING, ERROR };

constexpr Enumeration<3> enumeration(Severity) { return {"Severity", {"HINT", "WARNING", "ERROR"}}; }

}  // namespace dorvek::ort
