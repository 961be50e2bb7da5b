// JSON text: float and string forms, layout byte for byte, and one record
// written both as JSON and as YAML through the same field walk.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "test_support.hpp"
#include "writers/json_writer.hpp"
#include "writers/yaml_writer.hpp"

namespace dorvek {
namespace {

TEST(JsonWriter, Floats) {
  const double inf = std::numeric_limits<double>::infinity();
  struct Case {
    double v;
    const char* json;
  } cases[] = {
      {1, "1.0"},
      {3, "3.0"},
      {-2.5, "-2.5"},
      {0.1, "0.1"},
      {123.456, "123.456"},
      {1e15, "1000000000000000.0"},
      {1234567890123456.7, "1234567890123456.8"},
      {1e16, "1e+16"},
      {1.5e20, "1.5e+20"},
      {1.2345678901234568e17, "1.2345678901234568e+17"},
      {0.00001, "0.00001"},
      {0.000123, "0.000123"},
      {0.000001, "1e-6"},
      {2.5e-7, "2.5e-7"},
      {std::numeric_limits<double>::denorm_min(), "5e-324"},
      {std::numeric_limits<double>::max(), "1.7976931348623157e+308"},
      {0.0, "0.0"},
      {-0.0, "-0.0"},
      {std::nan(""), "null"},
      {inf, "null"},
      {-inf, "null"},
  };
  for (const Case& c : cases) EXPECT_EQ(to_json_string(c.v), c.json) << c.json;
}

TEST(JsonWriter, Integers) {
  EXPECT_EQ(to_json_string(std::numeric_limits<int64_t>::min()), "-9223372036854775808");
  EXPECT_EQ(to_json_string(std::numeric_limits<uint64_t>::max()), "18446744073709551615");
  EXPECT_EQ(to_json_string(int32_t{0}), "0");
}

TEST(JsonWriter, StringEscapes) {
  struct Case {
    std::string text;
    const char* json;
  } cases[] = {
      {"plain", R"("plain")"},
      {"", R"("")"},
      {"a\tb\nc\"d", R"("a\tb\nc\"d")"},
      {"back\\slash", R"("back\\slash")"},
      {"\b\f\r", R"("\b\f\r")"},
      {std::string("\x01", 1), R"("\u0001")"},
      {std::string("\0", 1), R"("\u0000")"},
      {"\x1b[0m", R"("\u001b[0m")"},
      {"\x1f", R"("\u001f")"},
      {"/ \x7f", "\"/ \x7f\""},
      {"caf\xc3\xa9 \xe2\x82\xac", "\"caf\xc3\xa9 \xe2\x82\xac\""},
  };
  for (const Case& c : cases) EXPECT_EQ(to_json_string(c.text), c.json) << c.json;
}

// An enumeration value, written by name.
struct Level {
  static constexpr const char* type_name = "Level";
  static Level deserialize(Reader&) { return {}; }
  void serialize(Writer& w) const { w.serialize_unit_variant("Level", "HINT"); }
};

struct Category {
  std::string name;
  std::optional<std::string> description;
  static constexpr const char* type_name = "Category";
  static constexpr auto fields() {
    return std::tuple{required("name", &Category::name), optional("description", &Category::description)};
  }
};

struct Sample {
  std::vector<Category> categories;
  std::vector<std::string> categorizations;
  HashMap<std::string, int64_t> counts;
  std::optional<Category> extra;
  double score = 0;
  double ratio = 0;
  bool flag = false;
  uint64_t big = 0;
  Level level;
  std::vector<HashMap<std::string, int64_t>> maps;
  static constexpr const char* type_name = "Sample";
  static constexpr auto fields() {
    using T = Sample;
    return std::tuple{defaulted("categories", &T::categories), defaulted("categorizations", &T::categorizations),
                      defaulted("counts", &T::counts),         optional("extra", &T::extra),
                      defaulted("score", &T::score),           defaulted("ratio", &T::ratio),
                      defaulted("flag", &T::flag),             defaulted("big", &T::big),
                      defaulted("level", &T::level),           defaulted("maps", &T::maps)};
  }
};

TEST(TextWriters, OneRecordBothWays) {
  Sample s;
  s.categories = {{"", std::nullopt}, {"a\tb", "line 1\nline 2"}};
  s.counts["k"] = -3;
  s.score = std::nan("");
  s.ratio = 1e16;
  s.flag = true;
  s.big = std::numeric_limits<uint64_t>::max();
  s.maps.emplace_back();
  EXPECT_EQ(to_json_string(s),
            "{\n"
            "  \"categories\": [\n"
            "    {\n"
            "      \"name\": \"\",\n"
            "      \"description\": null\n"
            "    },\n"
            "    {\n"
            "      \"name\": \"a\\tb\",\n"
            "      \"description\": \"line 1\\nline 2\"\n"
            "    }\n"
            "  ],\n"
            "  \"categorizations\": [],\n"
            "  \"counts\": {\n"
            "    \"k\": -3\n"
            "  },\n"
            "  \"extra\": null,\n"
            "  \"score\": null,\n"
            "  \"ratio\": 1e+16,\n"
            "  \"flag\": true,\n"
            "  \"big\": 18446744073709551615,\n"
            "  \"level\": \"HINT\",\n"
            "  \"maps\": [\n"
            "    {}\n"
            "  ]\n"
            "}");
  EXPECT_EQ(to_yaml_string(s),
            "categories:\n"
            "- name: ''\n"
            "  description: null\n"
            "- name: \"a\\tb\"\n"
            "  description: |-\n"
            "    line 1\n"
            "    line 2\n"
            "categorizations: []\n"
            "counts:\n"
            "  k: -3\n"
            "extra: null\n"
            "score: .nan\n"
            "ratio: 1e16\n"
            "flag: true\n"
            "big: 18446744073709551615\n"
            "level: HINT\n"
            "maps:\n"
            "- {}\n");
}

TEST(TextWriters, EmptyContainers) {
  EXPECT_EQ(to_json_string(HashMap<std::string, int64_t>{}), "{}");
  EXPECT_EQ(to_yaml_string(HashMap<std::string, int64_t>{}), "{}\n");
  EXPECT_EQ(to_json_string(std::vector<std::vector<int64_t>>{{}, {1}}), "[\n  [],\n  [\n    1\n  ]\n]");
}

// A walk that fails part-way, and a map whose keys are not text.
struct Failing {
  static constexpr const char* type_name = "Failing";
  static Failing deserialize(Reader&) { return {}; }
  void serialize(Writer& w) const {
    MapWriter& m = w.serialize_map(std::nullopt);
    std::string k = "a";
    m.serialize_entry(value_ref(k), value_ref(k));
    throw YamlError::custom("cannot write this value");
  }
};

TEST(TextWriters, Errors) {
  std::vector<Failing> h(1);
  auto error_text = [](auto&& f) -> std::string {
    try {
      f();
    } catch (const YamlError& e) {
      return e.text();
    }
    return "ok";
  };
  EXPECT_EQ(error_text([&] { to_json_string(h); }), "cannot write this value");
  EXPECT_EQ(error_text([&] { to_yaml_string(h); }), "cannot write this value");
  EXPECT_EQ(error_text([&] { to_json_string(HashMap<int64_t, int64_t>{{1, 2}}); }), "key must be a string");
}

}  // namespace
}  // namespace dorvek
