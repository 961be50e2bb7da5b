#include "models/scalar.hpp"

#include <algorithm>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <locale.h>

#include "models/number_text.hpp"
#include "models/unicode_tables.hpp"

namespace dorvek {

namespace {

bool is_digit(char c) { return c >= '0' && c <= '9'; }

int digit_value(char c, int base) {
  int d;
  if (c >= '0' && c <= '9') d = c - '0';
  else if (c >= 'a' && c <= 'f') d = c - 'a' + 10;
  else if (c >= 'A' && c <= 'F') d = c - 'A' + 10;
  else return -1;
  return d < base ? d : -1;
}

// Digits of `base`, fitting 128 bits; no sign, not empty.
std::optional<u128> parse_magnitude(std::string_view s, int base) {
  if (s.empty()) return std::nullopt;
  const u128 max = ~static_cast<u128>(0);
  u128 v = 0;
  for (char c : s) {
    int d = digit_value(c, base);
    if (d < 0) return std::nullopt;
    if (v > (max - static_cast<u128>(d)) / static_cast<u128>(base)) return std::nullopt;
    v = v * static_cast<u128>(base) + static_cast<u128>(d);
  }
  return v;
}

int prefix_base(std::string_view s) {
  if (s.size() < 2 || s[0] != '0') return 0;
  switch (s[1]) {
    case 'x': return 16;
    case 'o': return 8;
    case 'b': return 2;
    default: return 0;
  }
}

constexpr u128 kI128Max = (~static_cast<u128>(0)) >> 1;

bool accepted(const Reader& r, const Event& e, std::string_view tag) {
  if (e.kind != EventKind::Scalar) return false;
  if (e.style == ScalarStyle::Plain) return true;
  return e.style == ScalarStyle::Literal && r.tag(e) == tag;
}

}  // namespace

bool is_null_form(std::string_view t) { return t == "~" || t == "null" || t == "Null" || t == "NULL"; }

bool is_leading_zero_digits(std::string_view t) {
  if (!t.empty() && (t[0] == '+' || t[0] == '-')) t.remove_prefix(1);
  return t.size() > 1 && t[0] == '0' && std::all_of(t.begin(), t.end(), is_digit);
}

std::optional<IntForm> parse_int_form(std::string_view t) {
  if (!t.empty() && t[0] == '+') {
    t.remove_prefix(1);
    if (!t.empty() && (t[0] == '+' || t[0] == '-')) return std::nullopt;
  }
  if (int base = prefix_base(t)) {
    std::string_view rest = t.substr(2);
    if (!rest.empty() && (rest[0] == '+' || rest[0] == '-')) return std::nullopt;
    auto m = parse_magnitude(rest, base);
    if (!m) return std::nullopt;
    return IntForm{false, *m};
  }
  if (t.size() > 1 && t[0] == '-') {
    if (int base = prefix_base(t.substr(1))) {
      std::string_view rest = t.substr(3);
      if (!rest.empty() && (rest[0] == '+' || rest[0] == '-')) return std::nullopt;
      auto m = parse_magnitude(rest, base);
      if (!m) return std::nullopt;
      return IntForm{*m != 0, *m};
    }
  }
  if (is_leading_zero_digits(t)) return std::nullopt;
  bool negative = false;
  if (!t.empty() && t[0] == '-') {
    negative = true;
    t.remove_prefix(1);
  }
  auto m = parse_magnitude(t, 10);
  if (!m) return std::nullopt;
  return IntForm{negative && *m != 0, *m};
}

std::optional<int64_t> parse_i64(std::string_view t) {
  auto f = parse_int_form(t);
  if (!f) return std::nullopt;
  const u128 lim = static_cast<u128>(1) << 63;
  if (f->negative) {
    if (f->magnitude > lim) return std::nullopt;
    return static_cast<int64_t>(-static_cast<i128>(f->magnitude));
  }
  if (f->magnitude >= lim) return std::nullopt;
  return static_cast<int64_t>(f->magnitude);
}

std::optional<double> parse_float_form(std::string_view t) {
  bool plus = false;
  if (!t.empty() && t[0] == '+') {
    plus = true;
    t.remove_prefix(1);
    if (!t.empty() && (t[0] == '+' || t[0] == '-')) return std::nullopt;
  }
  if (t == ".inf" || t == ".Inf" || t == ".INF") return HUGE_VAL;
  if (t == "-.inf" || t == "-.Inf" || t == "-.INF") return -HUGE_VAL;
  if (t == ".nan" || t == ".NaN" || t == ".NAN") {
    if (plus) return std::nullopt;
    return std::nan("");
  }
  // Grammar check: [sign] digits [. digits] [(e|E) [sign] digits], one digit at least.
  size_t i = 0, n = t.size();
  if (i < n && (t[i] == '-' || t[i] == '+')) ++i;
  size_t digits = 0;
  while (i < n && is_digit(t[i])) ++i, ++digits;
  if (i < n && t[i] == '.') {
    ++i;
    while (i < n && is_digit(t[i])) ++i, ++digits;
  }
  if (digits == 0) return std::nullopt;
  if (i < n && (t[i] == 'e' || t[i] == 'E')) {
    ++i;
    if (i < n && (t[i] == '-' || t[i] == '+')) ++i;
    size_t exp_digits = 0;
    while (i < n && is_digit(t[i])) ++i, ++exp_digits;
    if (exp_digits == 0) return std::nullopt;
  }
  if (i != n) return std::nullopt;
  // strtod in the C locale rounds to nearest and tells overflow from underflow.
  static locale_t c_locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
  std::string s(t);
  double v = strtod_l(s.c_str(), nullptr, c_locale);
  if (std::isinf(v)) return std::nullopt;
  return v;
}

std::optional<bool> parse_bool_form(std::string_view t) {
  if (t == "true" || t == "True" || t == "TRUE") return true;
  if (t == "false" || t == "False" || t == "FALSE") return false;
  return std::nullopt;
}

namespace {

// Integer classification shared by the int tag and untagged plain scalars.
std::optional<Resolved> resolve_int(std::string_view text) {
  auto f = parse_int_form(text);
  if (!f) return std::nullopt;
  Resolved r;
  const u128 m = f->magnitude;
  if (!f->negative) {
    if (m <= UINT64_MAX) {
      r.kind = Resolved::Kind::UInt;
      r.u = static_cast<uint64_t>(m);
    } else {
      r.kind = Resolved::Kind::UInt128;
      r.u128v = m;
    }
    return r;
  }
  if (m <= (static_cast<u128>(1) << 63)) {
    r.kind = Resolved::Kind::Int;
    r.i = static_cast<int64_t>(-static_cast<i128>(m));
    return r;
  }
  if (m <= kI128Max + 1) {
    r.kind = Resolved::Kind::Int128;
    r.i128v = m == kI128Max + 1 ? static_cast<i128>(-static_cast<i128>(kI128Max) - 1)
                                : -static_cast<i128>(m);
    return r;
  }
  return std::nullopt;
}

[[noreturn]] void tag_mismatch(std::string_view text, const char* expected) {
  throw YamlError::custom(msg::invalid_value("string " + debug_quote(text), expected));
}

}  // namespace

Resolved resolve_scalar(std::optional<std::string_view> tag, ScalarStyle style, std::string_view text) {
  Resolved r;
  bool plain = style == ScalarStyle::Plain;
  if (tag) {
    if (*tag == tags::int_) {
      if (auto i = resolve_int(text)) return *i;
      tag_mismatch(text, "an integer");
    }
    if (*tag == tags::bool_) {
      if (auto b = parse_bool_form(text)) {
        r.kind = Resolved::Kind::Bool;
        r.b = *b;
        return r;
      }
      tag_mismatch(text, "a boolean");
    }
    if (*tag == tags::float_) {
      if (auto f = parse_float_form(text)) {
        r.kind = Resolved::Kind::Float;
        r.f = *f;
        return r;
      }
      tag_mismatch(text, "a float");
    }
    if (*tag == tags::null_) {
      if (is_null_form(text)) {
        r.kind = Resolved::Kind::Null;
        return r;
      }
      tag_mismatch(text, "null");
    }
    if (tag->empty() || (*tag)[0] != '!' || !plain) return r;  // a string
  } else if (!plain) {
    return r;
  }
  if (text.empty() || is_null_form(text)) {
    r.kind = Resolved::Kind::Null;
    return r;
  }
  if (auto b = parse_bool_form(text)) {
    r.kind = Resolved::Kind::Bool;
    r.b = *b;
    return r;
  }
  if (auto i = resolve_int(text)) return *i;
  if (!is_leading_zero_digits(text)) {
    if (auto f = parse_float_form(text)) {
      r.kind = Resolved::Kind::Float;
      r.f = *f;
      return r;
    }
  }
  return r;
}

Resolved resolve_scalar(const Reader& r, const Event& e) {
  return resolve_scalar(r.tag(e), e.style, r.value(e));
}

std::string to_string(u128 v) {
  if (v == 0) return "0";
  char buf[48];
  char* p = buf + sizeof buf;
  while (v) {
    *--p = static_cast<char>('0' + static_cast<int>(v % 10));
    v /= 10;
  }
  return std::string(p, buf + sizeof buf);
}

std::string to_string(i128 v) {
  if (v >= 0) return to_string(static_cast<u128>(v));
  return "-" + to_string(static_cast<u128>(-(v + 1)) + 1);
}

std::string float_message_text(double v) {
  if (std::isnan(v)) return "NaN";
  if (std::isinf(v)) return v < 0 ? "-inf" : "inf";
  ShortestDecimal d = shortest_decimal(v);
  std::string out = d.negative ? "-" : "";
  int n = static_cast<int>(d.digits.size());
  int kk = n + d.exp10;
  if (d.exp10 >= 0) {
    out += d.digits;
    out.append(static_cast<size_t>(d.exp10), '0');
    out += ".0";
  } else if (kk > 0) {
    out += d.digits.substr(0, static_cast<size_t>(kk));
    out += '.';
    out += d.digits.substr(static_cast<size_t>(kk));
  } else {
    out += "0.";
    out.append(static_cast<size_t>(-kk), '0');
    out += d.digits;
  }
  return out;
}

std::string describe(const Resolved& v, std::string_view text) {
  switch (v.kind) {
    case Resolved::Kind::Null: return "unit value";
    case Resolved::Kind::Bool: return v.b ? "boolean `true`" : "boolean `false`";
    case Resolved::Kind::UInt: return "integer `" + std::to_string(v.u) + "`";
    case Resolved::Kind::Int: return "integer `" + std::to_string(v.i) + "`";
    case Resolved::Kind::UInt128: return "integer `" + to_string(v.u128v) + "` as u128";
    case Resolved::Kind::Int128: return "integer `" + to_string(v.i128v) + "` as i128";
    case Resolved::Kind::Float: return "floating point `" + float_message_text(v.f) + "`";
    case Resolved::Kind::String: break;
  }
  return "string " + debug_quote(text);
}

std::string describe_scalar(const Reader& r, const Event& e) {
  return describe(resolve_scalar(r, e), r.value(e));
}

namespace {

bool escaped_code_point(uint32_t cp) {
  const CodeRange* begin = kEscapedRanges;
  const CodeRange* end = kEscapedRanges + kEscapedRangeCount;
  const CodeRange* it =
      std::upper_bound(begin, end, cp, [](uint32_t c, const CodeRange& r) { return c < r.lo; });
  return it != begin && cp <= (it - 1)->hi;
}

// Decodes one UTF-8 sequence; malformed bytes decode as U+FFFD one at a time.
uint32_t decode_utf8(std::string_view s, size_t& i) {
  unsigned char c = static_cast<unsigned char>(s[i]);
  int len = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
  if (len == 0 || i + static_cast<size_t>(len) > s.size()) {
    ++i;
    return 0xFFFD;
  }
  uint32_t cp = len == 1 ? c : len == 2 ? (c & 0x1F) : len == 3 ? (c & 0x0F) : (c & 0x07);
  for (int k = 1; k < len; ++k) {
    unsigned char cc = static_cast<unsigned char>(s[i + static_cast<size_t>(k)]);
    if ((cc >> 6) != 2) {
      ++i;
      return 0xFFFD;
    }
    cp = (cp << 6) | (cc & 0x3F);
  }
  i += static_cast<size_t>(len);
  return cp;
}

}  // namespace

std::string debug_quote(std::string_view text) {
  std::string out;
  out.reserve(text.size() + 2);
  out += '"';
  size_t i = 0;
  while (i < text.size()) {
    size_t start = i;
    uint32_t cp = decode_utf8(text, i);
    switch (cp) {
      case '"': out += "\\\""; continue;
      case '\\': out += "\\\\"; continue;
      case '\t': out += "\\t"; continue;
      case '\r': out += "\\r"; continue;
      case '\n': out += "\\n"; continue;
      case 0: out += "\\0"; continue;
      default: break;
    }
    if (escaped_code_point(cp)) {
      char buf[16];
      auto res = std::to_chars(buf, buf + sizeof buf, cp, 16);
      out += "\\u{";
      out.append(buf, res.ptr);
      out += '}';
    } else {
      out.append(text.substr(start, i - start));
    }
  }
  out += '"';
  return out;
}

std::string read_text(Reader& r) {
  const Event& e = r.next();
  switch (e.kind) {
    case EventKind::Alias: {
      Replay rp(r, e);
      return read_text(rp.reader());
    }
    case EventKind::Scalar:
      return std::string(r.value(e));
    default:
      r.invalid_type(e, "a string");
  }
}

namespace {

// The number and boolean readers: one event (aliases replayed), a plain
// scalar or a literal block with the type's core tag, parsed by `parse`;
// anything else is the type error.
template <class T, class Parse>
T read_typed(Reader& r, std::string_view tag, std::string_view expected, Parse&& parse) {
  const Event& e = r.next();
  if (e.kind == EventKind::Alias) {
    Replay rp(r, e);
    return read_typed<T>(rp.reader(), tag, expected, parse);
  }
  if (accepted(r, e, tag)) {
    if (std::optional<T> v = parse(r, e)) return *v;
  }
  r.invalid_type(e, expected);
}

}  // namespace

int64_t read_i64(Reader& r) {
  return read_typed<int64_t>(r, tags::int_, "i64", [](Reader& rr, const Event& e) { return parse_i64(rr.value(e)); });
}

int32_t read_i32(Reader& r) {
  return read_typed<int32_t>(r, tags::int_, "i32", [](Reader& rr, const Event& e) -> std::optional<int32_t> {
    auto v = parse_i64(rr.value(e));
    if (!v) return std::nullopt;
    if (*v >= INT32_MIN && *v <= INT32_MAX) return static_cast<int32_t>(*v);
    YamlError err = YamlError::custom(msg::invalid_value("integer `" + std::to_string(*v) + "`", "i32"));
    rr.place(err, e);
    throw err;
  });
}

double read_f64(Reader& r) {
  return read_typed<double>(r, tags::float_, "f64",
                            [](Reader& rr, const Event& e) { return parse_float_form(rr.value(e)); });
}

bool read_bool(Reader& r) {
  return read_typed<bool>(r, tags::bool_, "a boolean",
                          [](Reader& rr, const Event& e) { return parse_bool_form(rr.value(e)); });
}

}  // namespace dorvek
