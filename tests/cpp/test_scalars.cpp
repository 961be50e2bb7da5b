// Scalar grammars through the direct readers, and the words of their errors.
#include <gtest/gtest.h>

#include <cmath>

#include "test_support.hpp"

namespace dorvek {
namespace {

struct Scalars {
  std::string s;
  int32_t i = 0;
  int64_t l = 0;
  double f = 0;
  bool b = false;
  std::optional<std::string> o;
  static constexpr const char* type_name = "Scalars";
  static constexpr auto fields() {
    using T = Scalars;
    return std::tuple{defaulted("s", &T::s), defaulted("i", &T::i), defaulted("l", &T::l),
                      defaulted("f", &T::f), defaulted("b", &T::b), optional("o", &T::o)};
  }
};

// One field given as YAML; the outcome as text: the value read, or the error.
std::string outcome(const std::string& field, const std::string& value) {
  std::string doc = field + ": " + value + "\n";
  try {
    Scalars v = test::read_yaml<Scalars>(doc);
    if (field == "s") return "text " + v.s;
    if (field == "i") return "i32 " + std::to_string(v.i);
    if (field == "l") return "i64 " + std::to_string(v.l);
    if (field == "f") return "f64 " + float_message_text(v.f);
    if (field == "b") return v.b ? "bool true" : "bool false";
    return v.o ? "some " + *v.o : "none";
  } catch (const YamlError& e) {
    // Strip the fixed prefix and position so the table shows the message.
    std::string t = e.text();
    if (t.rfind(field + ": ", 0) == 0) t = t.substr(field.size() + 2);
    auto at = t.rfind(" at line 1 column ");
    return at == std::string::npos ? t : t.substr(0, at);
  }
}

struct Case {
  const char* field;
  const char* value;
  const char* expected;
};

TEST(Scalars, FormsAndMessages) {
  const Case cases[] = {
      // Texts take any scalar as written.
      {"s", "0123", "text 0123"},
      {"s", "true", "text true"},
      {"s", ".inf", "text .inf"},
      {"s", "null", "text null"},
      {"s", "~", "text ~"},
      {"s", "'quoted'", "text quoted"},
      {"s", "[a]", "invalid type: sequence, expected a string"},
      {"s", "{a: 1}", "invalid type: map, expected a string"},
      // Optional texts: the null forms give none, a quoted null is text.
      {"o", "", "none"},
      {"o", "null", "none"},
      {"o", "NULL", "none"},
      {"o", "'null'", "some null"},
      {"o", "!!null ~", "none"},
      {"o", "!!null x", "invalid value: string \"x\", expected null"},
      // 32-bit integers.
      {"i", "0x1F", "i32 31"},
      {"i", "-0b101", "i32 -5"},
      {"i", "+7", "i32 7"},
      {"i", "0o17", "i32 15"},
      {"i", "-0", "i32 0"},
      {"i", "012", "invalid type: string \"012\", expected i32"},
      {"i", "1_000", "invalid type: string \"1_000\", expected i32"},
      {"i", "2147483648", "invalid value: integer `2147483648`, expected i32"},
      {"i", "-2147483649", "invalid value: integer `-2147483649`, expected i32"},
      {"i", "1.5", "invalid type: floating point `1.5`, expected i32"},
      {"i", "\"5\"", "invalid type: string \"5\", expected i32"},
      {"i", "9223372036854775808", "invalid type: integer `9223372036854775808`, expected i32"},
      {"i", "+-5", "invalid type: string \"+-5\", expected i32"},
      {"i", "0x+5", "invalid type: string \"0x+5\", expected i32"},
      {"i", "!!int abc", "invalid value: string \"abc\", expected an integer"},
      {"i", "", "invalid type: unit value, expected i32"},
      {"i", "|-\n  5", "invalid type: string \"5\", expected i32"},
      {"i", "!!int |-\n  5", "i32 5"},
      {"i", "!!int |\n  5", "invalid value: string \"5\\n\", expected an integer"},
      // 64-bit integers and their edges.
      {"l", "-9223372036854775808", "i64 -9223372036854775808"},
      {"l", "0xFFFFFFFFFFFFFFFF", "invalid type: integer `18446744073709551615`, expected i64"},
      {"l", "340282366920938463463374607431768211456",
       "invalid type: floating point `340282366920938500000000000000000000000.0`, expected i64"},
      {"l", "-18446744073709551616", "invalid type: integer `-18446744073709551616` as i128, expected i64"},
      {"l", "18446744073709551616", "invalid type: integer `18446744073709551616` as u128, expected i64"},
      // Floats.
      {"f", "5", "f64 5.0"},
      {"f", "007", "f64 7.0"},
      {"f", ".5", "f64 0.5"},
      {"f", "5.", "f64 5.0"},
      {"f", "1e3", "f64 1000.0"},
      {"f", "1e-4", "f64 0.0001"},
      {"f", "-.INF", "f64 -inf"},
      {"f", ".NaN", "f64 NaN"},
      {"f", "+.nan", "invalid type: string \"+.nan\", expected f64"},
      {"f", "0x10", "invalid type: integer `16`, expected f64"},
      {"f", "1e400", "invalid type: string \"1e400\", expected f64"},
      {"f", "inf", "invalid type: string \"inf\", expected f64"},
      {"f", "true", "invalid type: boolean `true`, expected f64"},
      // Booleans.
      {"b", "True", "bool true"},
      {"b", "FALSE", "bool false"},
      {"b", "yes", "invalid type: string \"yes\", expected a boolean"},
      {"b", "1", "invalid type: integer `1`, expected a boolean"},
      {"b", "'true'", "invalid type: string \"true\", expected a boolean"},
      {"b", "~", "invalid type: unit value, expected a boolean"},
      {"b", "!!bool x", "invalid value: string \"x\", expected a boolean"},
      {"b", "!!float x", "invalid value: string \"x\", expected a float"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(outcome(c.field, c.value), c.expected) << c.field << ": " << c.value;
  }
}

TEST(Scalars, DebugQuoting) {
  const std::pair<const char*, const char*> cases[] = {
      {"plain", "\"plain\""},
      {"a\"b\\c", "\"a\\\"b\\\\c\""},
      {"t\tr\rn\n", "\"t\\tr\\rn\\n\""},
      {std::string_view("\0", 1).data(), "\"\\0\""},
      {"\x01", "\"\\u{1}\""},
      {"\xc2\xa0", "\"\\u{a0}\""},        // no-break space (Zs)
      {"e\xcc\x81", "\"e\\u{301}\""},      // combining acute (grapheme extend)
      {"\xe2\x80\x8b", "\"\\u{200b}\""},   // zero width space (Cf)
      {"caf\xc3\xa9 \xe2\x9c\x93", "\"caf\xc3\xa9 \xe2\x9c\x93\""},
  };
  for (auto [in, out] : cases) {
    std::string text = in[0] == 0 ? std::string(1, '\0') : std::string(in);
    EXPECT_EQ(debug_quote(text), out);
  }
}

TEST(Scalars, FloatMessageText) {
  const std::pair<double, const char*> cases[] = {
      {1.5, "1.5"}, {1e3, "1000.0"}, {1e-4, "0.0001"}, {0.0, "0.0"}, {-0.0, "-0.0"},
      {1e20, "100000000000000000000.0"}, {0.1 + 0.2, "0.30000000000000004"},
      {INFINITY, "inf"}, {-INFINITY, "-inf"}, {NAN, "NaN"},
  };
  for (auto [v, t] : cases) EXPECT_EQ(float_message_text(v), t);
}

}  // namespace
}  // namespace dorvek
