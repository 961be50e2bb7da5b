#include <gtest/gtest.h>

#include "models/ort/remote_artifact.hpp"
#include "test_support.hpp"

namespace dorvek::ort {
namespace {

using test::error_of;
using test::read_yaml;

TEST(Hash, AlgorithmNames) {
  struct Case {
    const char* input;
    const char* canonical;
  };
  const Case cases[] = {
      {"MD5", "MD5"},         {"SHA-1", "SHA1"},         {"SHA1", "SHA1"},         {"SHA-256", "SHA256"},
      {"SHA256", "SHA256"},   {"SHA-384", "SHA384"},     {"SHA384", "SHA384"},     {"SHA-512", "SHA512"},
      {"SHA512", "SHA512"},   {"SHA-1-GIT", "SHA1GIT"},  {"SHA1-GIT", "SHA1GIT"},  {"SHA1GIT", "SHA1GIT"},
      {"SWHID", "SHA1GIT"},   {"sha256", "UNKNOWN"},     {"Sha256", "UNKNOWN"},    {"SHA-224", "UNKNOWN"},
      {"SHA 256", "UNKNOWN"}, {"UNKNOWN", "UNKNOWN"},    {"", "UNKNOWN"},          {"md5", "UNKNOWN"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.input);
    EXPECT_EQ(canonical_algorithm(c.input), c.canonical);
  }
}

// An artifact as "url|value|algorithm" ("url|-" without a hash), or the error.
std::string artifact_of(const char* yaml) {
  std::string got = error_of<RemoteArtifact>(yaml);
  if (got != "ok") return got;
  RemoteArtifact a = read_yaml<RemoteArtifact>(yaml);
  return a.url + "|" + (a.hash ? a.hash->value + "|" + a.hash->algorithm : "-");
}

TEST(RemoteArtifact, ReadsDirectly) {
  struct Case {
    const char* yaml;
    const char* result;
  };
  const Case cases[] = {
      {"url: u\nhash: {value: v, algorithm: SHA-256}", "u|v|SHA256"},
      {"url: u\nhash: {value: v, algorithm: ~}\nsize: 42", "u|v|UNKNOWN"},
      {"", "|-"},
      {"hash: ~", "|-"},
      {"hash:", "|-"},
      {"~", "invalid type: unit value, expected struct RemoteArtifact"},
      {"hash: ~\nhash: ~", "duplicate field `hash`"},
      {"hash: {value: v}", "hash: missing field `algorithm` at line 1 column 7"},
      {"hash: {algorithm: MD5}", "hash: missing field `value` at line 1 column 7"},
      {"hash: {}", "hash: missing field `value` at line 1 column 7"},
      {"hash: x", "hash: invalid type: string \"x\", expected struct Hash at line 1 column 7"},
      {"hash: {value: v, value: w, algorithm: MD5}", "hash: duplicate field `value` at line 1 column 7"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.yaml);
    EXPECT_EQ(artifact_of(c.yaml), c.result);
  }
}

TEST(RemoteArtifact, WritesAbsentHashAsNull) {
  test::RecordingWriter w;
  write(w, read_yaml<RemoteArtifact>("url: u"));
  const std::vector<std::string> expected = {
      "struct RemoteArtifact 2", "field url : -", "  str u", "field hash : -", "  none", "end",
  };
  EXPECT_EQ(w.lines, expected);
}

}  // namespace
}  // namespace dorvek::ort
