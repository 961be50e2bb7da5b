#include "models/ort/hash.hpp"

#include <array>

#include "models/buffered.hpp"

namespace dorvek::ort {

namespace {

struct Spelling {
  std::string_view text;
  std::string_view canonical;
};

constexpr std::array<Spelling, 13> kSpellings = {{
    {"MD5", "MD5"},
    {"SHA-1", "SHA1"},
    {"SHA1", "SHA1"},
    {"SHA-256", "SHA256"},
    {"SHA256", "SHA256"},
    {"SHA-384", "SHA384"},
    {"SHA384", "SHA384"},
    {"SHA-512", "SHA512"},
    {"SHA512", "SHA512"},
    {"SHA-1-GIT", "SHA1GIT"},
    {"SHA1-GIT", "SHA1GIT"},
    {"SHA1GIT", "SHA1GIT"},
    {"SWHID", "SHA1GIT"},
}};

}  // namespace

std::string canonical_algorithm(std::string_view name) {
  for (const Spelling& s : kSpellings) {
    if (s.text == name) return std::string(s.canonical);
  }
  return "UNKNOWN";
}

std::string AlgorithmCodec::read_buffered(const BufferedNode& n) {
  return canonical_algorithm(Codec<std::string>::read_buffered(n));
}

}  // namespace dorvek::ort
