#include <gtest/gtest.h>

#include "models/json_value.hpp"
#include "test_support.hpp"

namespace dorvek {
namespace {

// A compact text of a value: integers marked u/i so their kind shows.
std::string show(const JsonValue& v) {
  switch (v.kind()) {
    case JsonValue::Kind::Null: return "null";
    case JsonValue::Kind::Bool: return *v.get_if<bool>() ? "true" : "false";
    case JsonValue::Kind::UInt: return std::to_string(*v.get_if<uint64_t>()) + "u";
    case JsonValue::Kind::Int: return std::to_string(*v.get_if<int64_t>()) + "i";
    case JsonValue::Kind::Float: return std::to_string(*v.get_if<double>());
    case JsonValue::Kind::String: return "'" + *v.get_if<std::string>() + "'";
    case JsonValue::Kind::BigInt: return v.get_if<JsonValue::BigInt>()->decimal + "n";
    case JsonValue::Kind::Array: {
      std::string s = "[";
      for (const JsonValue& e : *v.get_if<JsonValue::Array>()) s += (s.size() > 1 ? "," : "") + show(e);
      return s + "]";
    }
    case JsonValue::Kind::Object: {
      std::string s = "{";
      for (const auto& [k, e] : *v.get_if<JsonObject>()) s += (s.size() > 1 ? "," : "") + k + ":" + show(e);
      return s + "}";
    }
  }
  return "?";
}

std::string read_shown(std::string_view text) {
  try {
    return show(test::read_yaml<JsonValue>(text));
  } catch (const YamlError& e) {
    return "error: " + e.text();
  }
}

TEST(JsonValue, ReadsFromEvents) {
  struct Case {
    const char* yaml;
    const char* want;
  } cases[] = {
      {"", "null"},
      {"~", "null"},
      {"true", "true"},
      {"'true'", "'true'"},
      {"5", "5u"},
      {"-5", "-5i"},
      {"0x10", "16u"},
      {"1.5", "1.500000"},
      {".inf", "null"},
      {"-.inf", "null"},
      {".nan", "null"},
      {"012", "'012'"},
      {"!!str 5", "'5'"},
      {"[1, [], {}]", "[1u,[],{}]"},
      {"{b: 1, a: 2}", "{a:2u,b:1u}"},
      {"{x: 1, x: 2}", "{x:2u}"},
      {"{1: a, true: b, ~: c, '': d}", "{:'d',1:'a',true:'b',~:'c'}"},
      {"a: &v {k: [1]}\nb: *v\n", "{a:{k:[1u]},b:{k:[1u]}}"},
      {"{&k key: 1, *k : 2}", "{key:2u}"},
      {"x:\n  - !t 1\n", "error: x[0]: invalid type: enum, expected any valid JSON value at line 2 column 5"},
      {"!t {a: 1}", "error: invalid type: enum, expected any valid JSON value"},
      {"a: 18446744073709551616\n", "error: a: JSON number out of range at line 1 column 4"},
      {"a: -9223372036854775809\n", "error: a: JSON number out of range at line 1 column 4"},
      {"a: !!int x\n", "error: a: invalid value: string \"x\", expected an integer at line 1 column 4"},
      {"{[1]: a}", "error: invalid type: sequence, expected a string key at line 1 column 2"},
      {"a: 1\n[1]: a\n", "error: invalid type: sequence, expected a string at line 2 column 1"},
      {"a:\n  {b: 1}: 2\n", "error: a: invalid type: map, expected a string key at line 2 column 3"},
  };
  for (const Case& c : cases) EXPECT_EQ(read_shown(c.yaml), c.want) << c.yaml;
}

TEST(JsonValue, Writes) {
  test::RecordingWriter w;
  write(w, test::read_yaml<JsonValue>("{b: [-1, 2.5, x], a: ~, c: true, d: {}}"));
  std::vector<std::string> want = {
      "map 4",
      "key : -", "  str a", "value : -", "  unit",
      "key : -", "  str b", "value : -", "  seq 3",
      "  element : -", "    i64 -1",
      "  element : -", "    f64 2.500000",
      "  element : -", "    str x",
      "  end",
      "key : -", "  str c", "value : -", "  bool true",
      "key : -", "  str d", "value : -", "  map 0", "  end",
      "end",
  };
  EXPECT_EQ(w.lines, want);
  // A non-negative signed number writes as unsigned.
  test::RecordingWriter w2;
  write(w2, JsonValue(int64_t{7}));
  EXPECT_EQ(w2.lines, std::vector<std::string>{"u64 7"});
}

TEST(JsonValue, ObjectKeepsKeysSortedAndUnique) {
  JsonObject o = JsonObject::from_entries({{"b", JsonValue(uint64_t{1})},
                                           {"a", JsonValue(uint64_t{2})},
                                           {"b", JsonValue(uint64_t{3})}});
  o.insert_or_assign("c", JsonValue());
  o.insert_or_assign("a", JsonValue(true));
  EXPECT_EQ(show(JsonValue(o)), "{a:true,b:3u,c:null}");
  ASSERT_NE(o.find("b"), nullptr);
  EXPECT_EQ(o.find("z"), nullptr);
}

}  // namespace
}  // namespace dorvek
