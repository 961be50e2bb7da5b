#include "models/containers.hpp"

#include <sys/random.h>

#include <chrono>
#include <cstring>

namespace dorvek {

namespace {

uint64_t random_u64() {
  uint64_t s = 0;
  if (getrandom(&s, sizeof s, 0) != static_cast<ssize_t>(sizeof s)) {
    s = static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
  }
  return s;
}

// One key for the process: tables built on one thread may be used on another.
struct HashKey {
  uint64_t k0 = random_u64();
  uint64_t k1 = mix_hash(random_u64() ^ k0);
};

inline uint64_t rotl(uint64_t x, int b) { return (x << b) | (x >> (64 - b)); }

struct SipState {
  uint64_t v0, v1, v2, v3;
  void round() {
    v0 += v1; v1 = rotl(v1, 13); v1 ^= v0; v0 = rotl(v0, 32);
    v2 += v3; v3 = rotl(v3, 16); v3 ^= v2;
    v0 += v3; v3 = rotl(v3, 21); v3 ^= v0;
    v2 += v1; v1 = rotl(v1, 17); v1 ^= v2; v2 = rotl(v2, 32);
  }
  void absorb(uint64_t m) {
    v3 ^= m;
    round();
    v0 ^= m;
  }
};

}  // namespace

uint64_t hash_bytes(std::string_view bytes) {
  static const HashKey key;
  SipState s{key.k0 ^ 0x736f6d6570736575ULL, key.k1 ^ 0x646f72616e646f6dULL, key.k0 ^ 0x6c7967656e657261ULL,
             key.k1 ^ 0x7465646279746573ULL};
  const size_t n = bytes.size();
  const char* p = bytes.data();
  const size_t whole = n & ~static_cast<size_t>(7);
  for (size_t i = 0; i < whole; i += 8) {
    uint64_t m;
    std::memcpy(&m, p + i, 8);  // little-endian on the targets we build for
    s.absorb(m);
  }
  uint64_t last = static_cast<uint64_t>(n) << 56;
  for (size_t i = whole; i < n; ++i) last |= static_cast<uint64_t>(static_cast<unsigned char>(p[i])) << (8 * (i - whole));
  s.absorb(last);
  s.v2 ^= 0xff;
  s.round();
  s.round();
  s.round();
  return s.v0 ^ s.v1 ^ s.v2 ^ s.v3;
}

uint64_t table_hash_key() {
  static const uint64_t key = mix_hash(random_u64());
  return key;
}

}  // namespace dorvek
