// The scanner run and the records below it: reading errors with their
// places, set identities, and the written forms.
#include <gtest/gtest.h>

#include <cmath>

#include "models/ort/scanner_run.hpp"
#include "test_support.hpp"
#include "writers/json_writer.hpp"
#include "writers/yaml_writer.hpp"

namespace dorvek::ort {
namespace {

using test::error_of;
using test::read_yaml;

// The root record as far as the scanner part goes.
struct Doc {
  std::optional<ScannerRun> scanner;
  static constexpr const char* type_name = "Doc";
  static constexpr Undeclared undeclared = Undeclared::Skip;
  static constexpr auto fields() { return std::tuple{optional("scanner", &Doc::scanner)}; }
};

const std::string kHeader =
    "  start_time: s\n  end_time: e\n"
    "  environment: {ort_version: a, build_jdk: b, java_version: c, os: d, processors: 1, max_memory: 2}\n";
const std::string kOwn = "  config:\n  provenances: []\n  scanners: {}\n  files: []\n";

std::string doc(const std::string& body) { return "scanner:\n" + body; }
std::string at_run(const std::string& message) { return "scanner: " + message + " at line 2 column 3"; }

ScannerRun run_of(const std::string& body) {
  std::optional<ScannerRun> r = read_yaml<Doc>(doc(body)).scanner;
  if (!r) throw std::runtime_error("no run");
  return *r;
}

TEST(ScannerRun, ReadingErrors) {
  struct Case {
    std::string yaml;
    std::string result;
  };
  const Case cases[] = {
      {doc(kHeader + kOwn), "ok"},
      {doc("  comment: x\n  Config: y\n  <<: z\n"), at_run("missing field `config`")},
      {"scanner: {}\n", "scanner: missing field `config` at line 1 column 10"},
      {"scanner: !x\n", "scanner: missing field `config` at line 1 column 10"},
      {"scanner: !!null ''\n", "scanner: invalid value: string \"\", expected null at line 1 column 10"},
      {"scanner: [1]\n", "scanner: invalid type: sequence, expected struct ScannerRun at line 1 column 10"},
      {"scanner: '~'\n", "scanner: invalid type: string \"~\", expected struct ScannerRun at line 1 column 10"},
      {doc(kOwn), at_run("missing field `start_time`")},
      {doc("  config:\n  provenances: []\n  scanners: {}\n"), at_run("missing field `files`")},
      {doc("  config:\n  scanners: {}\n  files: []\n"), at_run("missing field `provenances`")},
      {doc("  config:\n  provenances: []\n  files: []\n"), at_run("missing field `scanners`")},
      {doc(kOwn + "  start_time: 12\n"), at_run("invalid type: integer `12`, expected a string")},
      {doc(kHeader + kOwn + "  start_time: t\n"), at_run("duplicate field `start_time`")},
      {doc(kHeader + kOwn + "  files: []\n"), at_run("duplicate field `files`")},
      {doc(kHeader + kOwn + "  scan_results: ~\n  scan_results: []\n"), at_run("duplicate field `scan_results`")},
      {doc("  provenances: x\n"),
       "scanner.provenances: invalid type: string \"x\", expected a sequence at line 2 column 16"},
      {doc(kHeader + "  config: ~\n"),
       "scanner.config: invalid type: unit value, expected struct ScannerConfiguration at line 5 column 11"},
      {doc(kHeader + kOwn + "  issues: ~\n"),
       "scanner.issues: invalid type: unit value, expected a map at line 9 column 11"},
      {doc(kHeader + kOwn + "  scan_results: '~'\n"),
       "scanner.scan_results: invalid type: string \"~\", expected a sequence at line 9 column 17"},
      {doc(kHeader + kOwn + "  scan_results: !!null x\n"),
       at_run("invalid value: string \"x\", expected null")},
      {doc(kOwn + "  comment: !x 1\n"),
       "scanner.comment: untagged and internally tagged enums do not support enum input at line 6 column 12"},
      {doc("  config:\n  provenances: []\n  files: []\n  scanners:\n    'a:b:c': [x]\n"),
       "scanner.scanners: Field 'identifier' is invalid: must be in the format 'type:namespace:name:version' at "
       "line 6 column 5"},
      {doc("  scanners: ~\n"), "scanner.scanners: invalid type: unit value, expected a map at line 2 column 13"},
      {doc("  scanners: {'a:b:c:d': {x: y}}\n"),
       "scanner.scanners.a:b:c:d: invalid type: map, expected a sequence at line 2 column 25"},
      {doc("  scanners: {'a:b:c:d': ~}\n"),
       "scanner.scanners.a:b:c:d: invalid type: unit value, expected a sequence at line 2 column 25"},
      {doc("  scanners: {'a:b:c:d': [[x]]}\n"),
       "scanner.scanners.a:b:c:d[0]: invalid type: sequence, expected a string at line 2 column 26"},
      {doc("  [k]: v\n"), "scanner: invalid type: sequence, expected field identifier at line 2 column 3"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.yaml);
    EXPECT_EQ(error_of<Doc>(c.yaml), c.result);
  }
}

TEST(ScannerRun, ReadsItsFields) {
  EXPECT_FALSE(read_yaml<Doc>("scanner:\n").scanner);
  EXPECT_FALSE(read_yaml<Doc>("scanner: ~\n").scanner);

  ScannerRun r = run_of(kHeader + "  config:\n  provenances:\n  files:\n  true: 1\n  comment: {a: [b]}\n"
                                  "  scanners:\n    'A:b:c:d': [x, y, x, 1]\n    'a:b:c:d': [z]\n    'A:b:c:d': [w]\n");
  EXPECT_FALSE(r.scan_results);
  EXPECT_TRUE(r.issues.empty());
  ASSERT_EQ(r.scanners.size(), 2u);
  EXPECT_EQ(r.scanners.at(Identifier::from_str("A:b:c:d")), HashSet<std::string>{"w"});
  EXPECT_EQ(r.scanners.at(Identifier::from_str("a:b:c:d")), HashSet<std::string>{"z"});

  EXPECT_EQ(run_of(kHeader + kOwn + "  scan_results: []\n").scan_results, ScanResults{});
  EXPECT_TRUE(run_of(kHeader + "  config:\n  provenances: []\n  files: []\n  scanners:\n").scanners.empty());
}

}  // namespace
}  // namespace dorvek::ort
