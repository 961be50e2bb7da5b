// The length of a text's leading ASCII run, eight bytes at a time: large
// documents are mostly ASCII, and several passes ask this of all of it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace dorvek {

inline size_t ascii_prefix(const char* p, size_t n) {
  size_t i = 0;
  for (; n - i >= 8; i += 8) {
    uint64_t w;
    std::memcpy(&w, p + i, 8);
    if (w & 0x8080808080808080ULL) break;
  }
  while (i < n && static_cast<unsigned char>(p[i]) < 0x80) ++i;
  return i;
}

}  // namespace dorvek
