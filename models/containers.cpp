#include "models/containers.hpp"

#include <sys/random.h>

#include <chrono>

namespace dorvek {

uint64_t next_hash_seed() {
  thread_local uint64_t state = [] {
    uint64_t s = 0;
    if (getrandom(&s, sizeof s, 0) != static_cast<ssize_t>(sizeof s)) {
      s = static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    }
    return s;
  }();
  state += 0x9e3779b97f4a7c15ULL;
  return mix_hash(state);
}

}  // namespace dorvek
