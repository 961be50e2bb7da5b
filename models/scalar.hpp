// Scalar grammars, the one scalar resolution rule, and the texts that
// describe a found value in messages.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "models/reader.hpp"

namespace dorvek {

__extension__ typedef __int128 i128;
__extension__ typedef unsigned __int128 u128;

// What a scalar resolves to.
struct Resolved {
  enum class Kind : uint8_t { Null, Bool, UInt, Int, UInt128, Int128, Float, String };
  Kind kind = Kind::String;
  bool b = false;
  uint64_t u = 0;
  int64_t i = 0;
  u128 u128v = 0;
  i128 i128v = 0;
  double f = 0;
};

// An integer form: the value, or none when the text is not an integer.
// Values beyond 128 bits are not integers.
struct IntForm {
  bool negative = false;
  u128 magnitude = 0;
};
std::optional<IntForm> parse_int_form(std::string_view text);
std::optional<int64_t> parse_i64(std::string_view text);
std::optional<double> parse_float_form(std::string_view text);
std::optional<bool> parse_bool_form(std::string_view text);
bool is_null_form(std::string_view text);  // "~", "null", "Null", "NULL"
bool is_leading_zero_digits(std::string_view text);

// Resolves a scalar event by its tag, style and text. A core-tagged scalar
// whose text does not fit its tag throws the invalid-value error.
Resolved resolve_scalar(std::optional<std::string_view> tag, ScalarStyle style, std::string_view text);
Resolved resolve_scalar(const Reader& r, const Event& e);

// "unit value", "boolean `true`", "integer `5`", "floating point `1.5`", "string \"x\"".
std::string describe(const Resolved& v, std::string_view text);
std::string describe_scalar(const Reader& r, const Event& e);

// "\"text\"" with the escapes of the debug quoting.
std::string debug_quote(std::string_view text);
// Shortest round-trip digits in plain positional notation: 1000.0, 0.0001, inf, NaN.
std::string float_message_text(double v);
// Decimal text of 128-bit values.
std::string to_string(u128 v);
std::string to_string(i128 v);

// Direct scalar readers: each takes one event (replaying aliases) and
// reports failures at that event.
std::string read_text(Reader& r);
int32_t read_i32(Reader& r);
int64_t read_i64(Reader& r);
double read_f64(Reader& r);
bool read_bool(Reader& r);

}  // namespace dorvek
