#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "models/yaml_value.hpp"
#include "test_support.hpp"

namespace dorvek {
namespace {

std::string debug_of(std::string_view text) {
  try {
    return read_document<YamlValue>(text, [](Reader& r) { return YamlValue::deserialize(r); }).debug();
  } catch (const YamlError& e) {
    return "error: " + e.text();
  }
}

TEST(YamlValue, DebugTextsAndErrors) {
  struct Case {
    const char* yaml;
    const char* want;
  } cases[] = {
      {"", "Null"},
      {"~", "Null"},
      {"true", "Bool(true)"},
      {"'true'", "String(\"true\")"},
      {"0x1F", "Number(31)"},
      {"-3", "Number(-3)"},
      {"1e3", "Number(1000.0)"},
      {".nan", "Number(.nan)"},
      {"-.inf", "Number(-.inf)"},
      {"012", "String(\"012\")"},
      {"\"a\\tb\"", "String(\"a\\tb\")"},
      {"[]", "Sequence []"},
      {"[1, x, null]", "Sequence [Number(1), String(\"x\"), Null]"},
      {"{}", "Mapping {}"},
      {"{a: 1, true: x, 2: [], ~: 1.5}",
       "Mapping {\"a\": Number(1), true: String(\"x\"), 2: Sequence [], Null: Number(1.5)}"},
      {"{[1]: a}", "Mapping {Sequence [Number(1)]: String(\"a\")}"},
      {"!x 5", "TaggedValue { tag: !x, value: Number(5) }"},
      {"!x '5'", "TaggedValue { tag: !x, value: String(\"5\") }"},
      {"! 5", "TaggedValue { tag: !!, value: Number(5) }"},
      {"!t {a: b}", "TaggedValue { tag: !t, value: Mapping {\"a\": String(\"b\")} }"},
      {"!!str 5", "String(\"5\")"},
      {"!!float 5", "Number(5.0)"},
      {"a: &x [1]\nb: *x\n", "Mapping {\"a\": Sequence [Number(1)], \"b\": Sequence [Number(1)]}"},
      {"!!int x", "error: invalid value: string \"x\", expected an integer"},
      {"a:\n  b: !!bool yes\n", "error: a.b: invalid value: string \"yes\", expected a boolean at line 2 column 6"},
      {"a: 1\nb: 340282366920938463463374607431768211455\n",
       "error: b: invalid type: integer `340282366920938463463374607431768211455` as u128, expected any YAML "
       "value at line 2 column 4"},
      {"x:\n  a: 1\n  a: 2\n", "error: x: duplicate entry with key \"a\" at line 2 column 3"},
      {"{~: 1, null: 2}", "error: duplicate entry with null key"},
      {"{true: 1, True: 2}", "error: duplicate entry with key `true`"},
      {"{1: a, 0x1: b}", "error: duplicate entry with key 1"},
      {"{.nan: a, .NaN: b}", "error: duplicate entry with key .nan"},
      {"{0.0: a, -0.0: b}", "error: duplicate entry with key -0.0"},
      {"{[1]: a, [1]: b}", "error: duplicate entry in YAML map"},
      {"{{a: 1, b: 2}: x, {b: 2, a: 1}: y}", "error: duplicate entry in YAML map"},
      {"{!x 1: a, !y 1: b}", "Mapping {TaggedValue { tag: !x, value: Number(1) }: String(\"a\"), "
                             "TaggedValue { tag: !y, value: Number(1) }: String(\"b\")}"},
  };
  for (const Case& c : cases) EXPECT_EQ(debug_of(c.yaml), c.want) << c.yaml;
}

TEST(YamlValue, NumberTexts) {
  struct Case {
    double v;
    const char* want;
  } cases[] = {
      {1.5, "1.5"},          {1e3, "1000.0"},   {1e15, "1000000000000000.0"}, {1e16, "1e16"},
      {1e20, "1e20"},        {12.34, "12.34"},  {0.001234, "0.001234"},     {0.0001, "0.0001"},
      {0.00001, "0.00001"},  {1e-7, "1e-7"},    {1.234e33, "1.234e33"},     {-2.5e-9, "-2.5e-9"},
      {0.0, "0.0"},          {-0.0, "-0.0"},    {123456789012345680.0, "1.2345678901234568e17"},
  };
  for (const Case& c : cases) EXPECT_EQ(YamlNumber::float_(c.v).text(), c.want) << c.want;
  EXPECT_EQ(YamlNumber::pos_int(18446744073709551615ULL).text(), "18446744073709551615");
  EXPECT_EQ(YamlNumber::neg_int(std::numeric_limits<int64_t>::min()).text(), "-9223372036854775808");
}

TEST(YamlValue, Equality) {
  auto read = [](std::string_view t) {
    return read_document<YamlValue>(t, [](Reader& r) { return YamlValue::deserialize(r); });
  };
  EXPECT_EQ(read("{a: 1, b: [x]}"), read("{b: [x], a: 1}"));
  EXPECT_EQ(read(".nan"), read(".NaN"));
  EXPECT_EQ(read("0.0"), read("-0.0"));
  EXPECT_FALSE(read("1") == read("1.0"));
  EXPECT_FALSE(read("{a: 1}") == read("{a: 2}"));
  EXPECT_FALSE(read("!x 1") == read("!y 1"));
  // Large mappings compare through the hash index.
  std::string a = "{", b = "{";
  for (int i = 0; i < 50; ++i) a += "k" + std::to_string(i) + ": " + std::to_string(i) + ", ";
  for (int i = 49; i >= 0; --i) b += "k" + std::to_string(i) + ": " + std::to_string(i) + ", ";
  EXPECT_EQ(read(a + "}"), read(b + "}"));
  EXPECT_FALSE(read(a + "x: 1}") == read(b + "x: 2}"));
}

TEST(YamlValue, NestingLimit) {
  std::string deep(128, '[');
  EXPECT_EQ(debug_of(deep + std::string(128, ']')).substr(0, 10), "Sequence [");
  EXPECT_EQ(debug_of(deep + "[" + std::string(129, ']')), "error: recursion limit exceeded at line 1 column 129");
}

}  // namespace
}  // namespace dorvek
