#pragma once

#include <cstddef>
#include <cstdint>

namespace dorvek {

struct CodeRange {
  uint32_t lo, hi;
};

// Sorted, disjoint ranges of code points that debug quoting escapes.
extern const CodeRange kEscapedRanges[];
extern const size_t kEscapedRangeCount;

}  // namespace dorvek
