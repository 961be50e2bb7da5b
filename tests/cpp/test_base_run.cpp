#include <gtest/gtest.h>

#include "models/flatten.hpp"
#include "models/ort/base_run.hpp"
#include "test_support.hpp"

namespace dorvek::ort {
namespace {

using test::error_of;
using test::read_yaml;

// A run record as the run records of the result document declare theirs.
struct TestRun {
  BaseRun header;
  std::string config;
  std::optional<std::string> result;
  static constexpr const char* type_name = "TestRun";
  static constexpr auto flatten = &TestRun::header;
  static constexpr auto fields() {
    using T = TestRun;
    return std::tuple{required("config", &T::config), optional("result", &T::result)};
  }
};

struct Doc {
  std::optional<TestRun> analyzer;
  static constexpr const char* type_name = "Doc";
  static constexpr auto fields() { return std::tuple{optional("analyzer", &Doc::analyzer)}; }
};

constexpr const char* kEnv =
    "  environment: {ort_version: '1', build_jdk: j, java_version: '17', os: Linux, processors: 8, max_memory: 1024}\n";

std::string run(const std::string& body) { return "analyzer:\n" + body; }
std::string at_run(const std::string& message) { return "analyzer: " + message + " at line 2 column 3"; }

TEST(BaseRun, HeaderReadAfterTheRunsOwnKeys) {
  const std::string times = "  start_time: '2024-01-01T00:00:00Z'\n  end_time: 2024-01-01T00:01:00Z\n";
  const std::string own = "  config: c\n";
  struct Case {
    std::string body;
    std::string result;
  };
  const Case cases[] = {
      {times + own + kEnv, "ok"},
      {"  end_time: e\n" + own + kEnv + "  start_time: s\n  foo: [1, 2]\n  start: 1\n", "ok"},
      {"  result: r\n", at_run("missing field `config`")},
      {times + kEnv + "  config: [x]\n", "analyzer.config: invalid type: sequence, expected a string at line 5 column 11"},
      {own + "  foo: !x 1\n", "analyzer.foo: untagged and internally tagged enums do not support enum input at line 3 "
                              "column 8"},
      {own + times + "  start_time: s\n" + kEnv, at_run("duplicate field `start_time`")},
      {own + "  start_time: 12\n", at_run("invalid type: integer `12`, expected a string")},
      {own + "  start_time: ~\n", at_run("invalid type: unit value, expected a string")},
      {own + "  start_time:\n", at_run("invalid type: unit value, expected a string")},
      {own + times, at_run("missing field `environment`")},
      {own + "  start_time: s\n" + kEnv, at_run("missing field `end_time`")},
      {own + "  start_time: s\n  environment: {}\n", at_run("missing field `ort_version`")},
      {own + times + "  environment:\n", at_run("invalid type: unit value, expected struct Environment")},
      {own + times + "  environment: x\n", at_run("invalid type: string \"x\", expected struct Environment")},
      {own + times + "  environment: [a, b, c, d, 1]\n",
       at_run("invalid length 5, expected struct Environment with 7 elements")},
      {own + times + "  environment: [a, b, c, d, 1, 2, {}, x]\n",
       at_run("invalid length 8, expected 7 elements in sequence")},
      {own + times + "  environment: [a, b, c, d, 1, 2]\n", "ok"},
      {own + times + "  environment: [a, b, c, d, 1, 2, {k: v}]\n", "ok"},
      {own + times + "  environment: {0: a, 1: b, 2: c, 3: d, 4: 8, 5: 2, 7: x, hostname: y}\n", "ok"},
      {own + times + "  environment: {true: a}\n", at_run("invalid type: boolean `true`, expected field identifier")},
      {own + times + "  environment: {-1: a}\n", at_run("invalid type: integer `-1`, expected field identifier")},
      {own + times + "  environment: {ort_version: a, ort_version: b}\n", at_run("duplicate field `ort_version`")},
      {own + times + kEnv + "  environment: {}\n", at_run("duplicate field `environment`")},
      {own + times + "  environment: {ort_version: a, build_jdk: b, java_version: c, processors: 1, max_memory: 1}\n",
       at_run("missing field `os`")},
      {own + times + "  environment: {ort_version: a, build_jdk: b, java_version: c, os: 10}\n",
       at_run("invalid type: integer `10`, expected a string")},
      {own + times + "  environment: {processors: 4294967296}\n",
       at_run("invalid value: integer `4294967296`, expected u32")},
      {own + times + "  environment: {processors: '8'}\n", at_run("invalid type: string \"8\", expected u32")},
      {own + times + "  environment: {max_memory: -1}\n", at_run("invalid value: integer `-1`, expected u64")},
      {own + times + "  environment: {max_memory: 1.0}\n",
       at_run("invalid type: floating point `1.0`, expected u64")},
      {own + times + "  environment: {variables: }\n", at_run("invalid type: unit value, expected a map")},
      {own + times + "  environment: {variables: {A: 1}}\n", at_run("invalid type: integer `1`, expected a string")},
      {own + "  start_time: 1\n  environment: {os: 1}\n", at_run("invalid type: integer `1`, expected a string")},
      {own + "  environment: {os: 1}\n  start_time: 1\n", at_run("invalid type: integer `1`, expected a string")},
      {own + "  environment: {os: o}\n  start_time: 1\n", at_run("missing field `ort_version`")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.body);
    EXPECT_EQ(error_of<Doc>(run(c.body)), c.result);
  }
}

TEST(BaseRun, ReadsTheHeaderFields) {
  TestRun r = *read_yaml<Doc>(run(
                                  "  config: c\n  start_time: s\n  end_time: e\n"
                                  "  environment: [a, b, c, d, 4294967295, 18446744073709551615, {A: x, A: y}]\n"))
                   .analyzer;
  const Environment& env = r.header.environment;
  EXPECT_EQ(r.header.start_time, "s");
  EXPECT_EQ(r.header.end_time, "e");
  EXPECT_EQ(env.os, "d");
  EXPECT_EQ(env.processors, 4294967295u);
  EXPECT_EQ(env.max_memory, 18446744073709551615u);
  ASSERT_EQ(env.variables.size(), 1u);
  EXPECT_EQ(env.variables.at("A"), "y");
}

TEST(BaseRun, HeaderWrittenFirst) {
  TestRun r = *read_yaml<Doc>(run(std::string("  config: c\n  foo: 1\n  start_time: s\n  end_time: e\n") + kEnv))
                   .analyzer;
  test::RecordingWriter w;
  write(w, r);
  std::vector<std::string> keys;
  for (size_t i = 0; i + 1 < w.lines.size(); ++i) {
    if (w.lines[i] == "key : -") keys.push_back(w.lines[i + 1].substr(6));
  }
  EXPECT_EQ(w.lines.front(), "map -");
  EXPECT_EQ(keys, (std::vector<std::string>{"start_time", "end_time", "environment", "config", "result"}));
  const auto env = std::find(w.lines.begin(), w.lines.end(), "value : Environment");
  ASSERT_NE(env, w.lines.end());
  EXPECT_EQ(*(env + 1), "  struct Environment 7");
}

}  // namespace
}  // namespace dorvek::ort
