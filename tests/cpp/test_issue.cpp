#include <gtest/gtest.h>

#include "models/ort/issue.hpp"
#include "models/ort/text_location.hpp"
#include "test_support.hpp"

namespace dorvek::ort {
namespace {

using test::error_of;
using test::read_yaml;

TEST(TextLocation, Reads) {
  struct Case {
    const char* yaml;
    const char* result;  // "path start end", or the error
  };
  const Case cases[] = {
      {"{path: p, start_line: 2147483647, end_line: -5}", "p 2147483647 -5"},
      {"{path: 1, start_line: 0x10, end_line: 0}", "1 16 0"},
      {"{path: p, start_line: 2147483648, end_line: 1}",
       "start_line: invalid value: integer `2147483648`, expected i32 at line 1 column 23"},
      {"{path: p, start_line: '12', end_line: 1}",
       "start_line: invalid type: string \"12\", expected i32 at line 1 column 23"},
      {"{path: p, end_line: 1}", "missing field `start_line`"},
      {"", "missing field `path`"},
      {"{path: p, line: 1}", "unknown field `line`, expected one of `path`, `start_line`, `end_line` at line 1 column 11"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.yaml);
    std::string got = error_of<TextLocation>(c.yaml);
    if (got == "ok") {
      TextLocation t = read_yaml<TextLocation>(c.yaml);
      got = t.path + " " + std::to_string(t.start_line) + " " + std::to_string(t.end_line);
    }
    EXPECT_EQ(got, c.result);
  }
}

TEST(Issue, Reads) {
  struct Case {
    const char* yaml;
    const char* result;  // the error, or "ok"
  };
  const Case cases[] = {
      {"{timestamp: 2024-01-31T10:00:00Z, source: s, message: m, severity: HINT}", "ok"},
      {"{timestamp: 12, source: s, message: m, severity: 1, affected_path: ~}", "ok"},
      {"{timestamp: t, message: m}", "missing field `source`"},
      {"{timestamp: t, source: s, message: m}", "missing field `severity`"},
      {"{timestamp: t, source: s, message: m, severity: FATAL}", "invalid Severity value: FATAL"},
      {"{timestamp: t, source: s, message: m, severity: HINT, extra: 1}",
       "unknown field `extra`, expected one of `timestamp`, `source`, `message`, `severity`, `affected_path` at line 1 "
       "column 55"},
      {"", "missing field `timestamp`"},
      {"x", "invalid type: string \"x\", expected struct Issue"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.yaml);
    EXPECT_EQ(error_of<Issue>(c.yaml), c.result);
  }
  Issue i = read_yaml<Issue>("{timestamp: 12, source: s, message: m, severity: 2, affected_path: ''}");
  EXPECT_EQ(i.timestamp, "12");
  EXPECT_EQ(i.severity, Severity::WARNING);
  EXPECT_EQ(i.affected_path, std::optional<std::string>(""));
}

TEST(Issue, ListsById) {
  const char* yaml =
      "a:b:c:d:\n  - {timestamp: t, source: s, message: one, severity: HINT}\n"
      "x:y:z:w: []\n"
      "a:b:c:d:\n  - {timestamp: t, source: s, message: two, severity: ERROR}\n";
  IssuesById m = read_yaml<IssuesById>(yaml);
  ASSERT_EQ(m.size(), 2u);
  const auto& last = m.at(Identifier::from_str("a:b:c:d"));
  ASSERT_EQ(last.size(), 1u);
  EXPECT_EQ(last[0].message, "two");
  EXPECT_EQ(error_of<IssuesById>("a:b:c:d: []\nbad: []\n"),
            "Field 'identifier' is invalid: must be in the format 'type:namespace:name:version'");
  EXPECT_EQ(error_of<IssuesById>("a:b:c:d:\n  - {timestamp: t, source: s, message: m, severity: 9}\n"),
            "a:b:c:d[0]: invalid Severity value: 9 at line 2 column 5");
}

TEST(Issue, WritesAbsentPathAsNull) {
  test::RecordingWriter w;
  write(w, read_yaml<Issue>("{timestamp: t, source: s, message: m, severity: 2}"));
  const std::vector<std::string> expected = {
      "struct Issue 5",          "field timestamp : -", "  str t", "field source : -", "  str s",
      "field message : -",       "  str m",            "field severity : Severity", "  variant Severity::WARNING",
      "field affected_path : -", "  none",             "end",
  };
  EXPECT_EQ(w.lines, expected);
}

}  // namespace
}  // namespace dorvek::ort
