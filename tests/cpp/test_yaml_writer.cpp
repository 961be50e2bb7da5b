// YAML text: which texts are quoted and which stay plain, float forms, and
// that every text and float reads back through our reader unchanged.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "models/yaml_value.hpp"
#include "test_support.hpp"
#include "writers/yaml_writer.hpp"

namespace dorvek {
namespace {

struct Text {
  std::string s;
  static constexpr const char* type_name = "Text";
  static constexpr auto fields() { return std::tuple{required("s", &Text::s)}; }
};

// The one entry of a written mapping, read back as dynamic values, so that a
// plain 123 would come back as a number rather than as text.
std::pair<YamlValue, YamlValue> read_entry(const std::string& yaml) {
  YamlValue v = read_document<YamlValue>(yaml, [](Reader& r) { return YamlValue::deserialize(r); });
  const auto* m = v.get_if<YamlValue::Mapping>();
  if (!m || m->size() != 1) return {};
  return (*m)[0];
}

std::string as_text(const YamlValue& v) {
  const std::string* s = v.get_if<std::string>();
  return s ? *s : "not text: " + v.debug();
}

TEST(YamlWriter, TextStyles) {
  struct Case {
    std::string text;
    const char* written;  // the value as it follows "s: "
  } cases[] = {
      // Would resolve to something other than text: single-quoted.
      {"", "''"},
      {"~", "'~'"},
      {"null", "'null'"},
      {"NULL", "'NULL'"},
      {"true", "'true'"},
      {"False", "'False'"},
      {"123", "'123'"},
      {"-5", "'-5'"},
      {"+12", "'+12'"},
      {"0", "'0'"},
      {"0x1F", "'0x1F'"},
      {"-0b101", "'-0b101'"},
      {"0o17", "'0o17'"},
      {"340282366920938463463374607431768211455", "'340282366920938463463374607431768211455'"},
      {"-170141183460469231731687303715884105728", "'-170141183460469231731687303715884105728'"},
      {"1.5", "'1.5'"},
      {"1e5", "'1e5'"},
      {".5", "'.5'"},
      {"-1.", "'-1.'"},
      {".inf", "'.inf'"},
      {"+.INF", "'+.INF'"},
      {"-.Inf", "'-.Inf'"},
      {".NaN", "'.NaN'"},
      {"0123", "'0123'"},
      {"-007", "'-007'"},
      {"00", "'00'"},
      // Read back as text when plain.
      {"yes", "yes"},
      {"no", "no"},
      {"on", "on"},
      {"off", "off"},
      {"nan", "nan"},
      {"inf", "inf"},
      {"1e999", "1e999"},
      {"+.nan", "+.nan"},
      {"0x", "0x"},
      {"0x+1", "0x+1"},
      {"++1", "++1"},
      {"1_000", "1_000"},
      {"1.2.3", "1.2.3"},
      {"Maven:org.example:lib:", "'Maven:org.example:lib:'"},
      {"Maven:org.example:lib:1.0", "Maven:org.example:lib:1.0"},
      {"It's", "It's"},
      {"caf\xc3\xa9", "caf\xc3\xa9"},
      // libyaml's own choices.
      {"a: b", "'a: b'"},
      {"- a", "'- a'"},
      {"a #b", "'a #b'"},
      {" lead", "' lead'"},
      {"*star", "'*star'"},
      {"a\tb", "\"a\\tb\""},
      // Line feeds: literal blocks.
      {"a\nb", "|-\n  a\n  b"},
      {"a\nb\n", "|\n  a\n  b"},
      {"a\n\n", "|+\n  a\n"},
      {"\n", "|2+\n"},
      {" x\ny", "|2-\n   x\n  y"},
      {"a \nb", "\"a \\nb\""},
  };
  for (const Case& c : cases) {
    std::string yaml = to_yaml_string(Text{c.text});
    EXPECT_EQ(yaml, "s: " + std::string(c.written) + "\n") << c.text;
    EXPECT_EQ(as_text(read_entry(yaml).second), c.text) << yaml;
    // Keys follow the same rule.
    HashMap<std::string, std::string> m;
    m[c.text] = "v";
    EXPECT_EQ(as_text(read_entry(to_yaml_string(m)).first), c.text) << to_yaml_string(m);
  }
}

TEST(YamlWriter, Floats) {
  const double inf = std::numeric_limits<double>::infinity();
  struct Case {
    double v;
    const char* written;
  } cases[] = {
      {3, "3.0"},
      {-2.5, "-2.5"},
      {0.1, "0.1"},
      {1e15, "1000000000000000.0"},
      {1e16, "1e16"},
      {1.5e20, "1.5e20"},
      {0.00001, "0.00001"},
      {0.000001, "1e-6"},
      {std::numeric_limits<double>::denorm_min(), "5e-324"},
      {std::numeric_limits<double>::max(), "1.7976931348623157e308"},
      {-0.0, "-0.0"},
      {std::nan(""), ".nan"},
      {-std::nan(""), ".nan"},
      {inf, ".inf"},
      {-inf, "-.inf"},
  };
  for (const Case& c : cases) {
    HashMap<std::string, double> m;
    m["f"] = c.v;
    std::string yaml = to_yaml_string(m);
    EXPECT_EQ(yaml, "f: " + std::string(c.written) + "\n");
    const YamlValue v = read_entry(yaml).second;
    const YamlNumber* n = v.get_if<YamlNumber>();
    ASSERT_TRUE(n && n->kind == YamlNumber::Kind::Float) << yaml;
    if (std::isnan(c.v)) {
      EXPECT_TRUE(std::isnan(n->f)) << yaml;
    } else {
      EXPECT_EQ(std::memcmp(&n->f, &c.v, sizeof c.v), 0) << yaml;
    }
  }
}

TEST(YamlWriter, Framing) {
  EXPECT_EQ(to_yaml_string(std::vector<std::string>{}), "[]\n");
  EXPECT_EQ(to_yaml_string(std::vector<std::string>{"a", "123"}), "- a\n- '123'\n");
  EXPECT_EQ(to_yaml_string(std::string("x")), "x\n");
  std::optional<std::string> none;
  EXPECT_EQ(to_yaml_string(none), "null\n");
  // Long keys take the explicit form.
  HashMap<std::string, int64_t> m;
  m[std::string(129, 'k')] = 1;
  EXPECT_EQ(to_yaml_string(m), "? " + std::string(129, 'k') + "\n: 1\n");
}

}  // namespace
}  // namespace dorvek
