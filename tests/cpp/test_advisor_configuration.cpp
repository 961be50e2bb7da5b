#include <gtest/gtest.h>

#include "models/ort/advisor_configuration.hpp"
#include "written_text.hpp"

namespace dorvek::ort {
namespace {

using test::json_or_error;
using test::yaml_or_error;

TEST(AdvisorConfiguration, ReadAndWritten) {
  struct Case {
    const char* yaml;
    const char* result;
  };
  const Case cases[] = {
      {"", "skip_excluded: false\nadvisors: null\n"},
      {"{}", "skip_excluded: false\nadvisors: null\n"},
      {"advisors: ~\nskip_excluded: TRUE", "skip_excluded: true\nadvisors: null\n"},
      {"advisors: {}", "skip_excluded: false\nadvisors: {}\n"},
      // Free-form values: inner keys sorted, the last of a repeated key kept,
      // non-finite floats null, any scalar key as its text.
      {"advisors:\n  OssIndex: {z: 1, a: [.inf, 1.5, -2, x], a: {2: b, 1: ~}}",
       "skip_excluded: false\nadvisors:\n  OssIndex:\n    a:\n      '1': null\n      '2': b\n    z: 1\n"},
      {"advisors:\n  VulnerableCode:\n  VulnerableCode: {k: v}", "skip_excluded: false\nadvisors:\n  VulnerableCode:\n    k: v\n"},
      {"advisors:\n  OSV:", "skip_excluded: false\nadvisors:\n  OSV: null\n"},
      {"advisors:\n  OSV: {k: v}\n  OssIndex: ~",
       "skip_excluded: false\nadvisors:\n  OSV:\n    k: v\n  OssIndex: null\n"},
      {"advisors:\n  OSV: !<.Verbatim> 007", "skip_excluded: false\nadvisors:\n  OSV: '007'\n"},
      {"advisors: x", "advisors: invalid type: string \"x\", expected a map at line 1 column 11"},
      {"advisors: [a]", "advisors: invalid type: sequence, expected a map at line 1 column 11"},
      {"advisors:\n  OSV: !custom {}",
       "advisors.OSV: invalid type: enum, expected any valid JSON value at line 2 column 8"},
      {"advisors:\n  OSV: {[k]: v}", "advisors.OSV: invalid type: sequence, expected a string key at line 2 column 9"},
      {"advisors:\n  OSV: {a: 1, [k]: v}", "advisors.OSV: invalid type: sequence, expected a string at line 2 column 15"},
      {"~", "invalid type: unit value, expected struct AdvisorConfiguration"},
      {"[]", "invalid type: sequence, expected struct AdvisorConfiguration"},
      {"skip_excluded: 'true'", "skip_excluded: invalid type: string \"true\", expected a boolean at line 1 column 16"},
      {"skip_excluded:", "skip_excluded: invalid type: unit value, expected a boolean at line 1 column 15"},
      {"skipExcluded: true", "unknown field `skipExcluded`, expected `skip_excluded` or `advisors`"},
      {"advisors: ~\nadvisors: {}", "duplicate field `advisors`"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.yaml);
    EXPECT_EQ(yaml_or_error<AdvisorConfiguration>(c.yaml), c.result);
  }
  EXPECT_EQ(json_or_error<AdvisorConfiguration>("advisors: {OSV: {b: [], a: 0.5}}"),
            "{\n"
            "  \"skip_excluded\": false,\n"
            "  \"advisors\": {\n"
            "    \"OSV\": {\n"
            "      \"a\": 0.5,\n"
            "      \"b\": []\n"
            "    }\n"
            "  }\n"
            "}");
}

}  // namespace
}  // namespace dorvek::ort
