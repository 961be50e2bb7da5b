#include "models/number_text.hpp"

#include <charconv>
#include <cmath>
#include <cstdlib>

namespace dorvek {

ShortestDecimal shortest_decimal(double v) {
  ShortestDecimal d;
  d.negative = std::signbit(v);
  double a = std::fabs(v);
  if (a == 0) {
    d.digits = "0";
    return d;
  }
  // Scientific shortest form: "D.DDDDe+XX".
  char buf[64];
  auto res = std::to_chars(buf, buf + sizeof buf, a, std::chars_format::scientific);
  std::string_view s(buf, static_cast<size_t>(res.ptr - buf));
  size_t e = s.find('e');
  std::string_view mant = s.substr(0, e);
  int exp = std::atoi(std::string(s.substr(e + 1)).c_str());
  for (char c : mant) {
    if (c != '.') d.digits += c;
  }
  // Drop trailing zeros of the mantissa (to_chars gives none, but be safe).
  while (d.digits.size() > 1 && d.digits.back() == '0') d.digits.pop_back();
  d.exp10 = exp - static_cast<int>(d.digits.size()) + 1;
  return d;
}

void append_float_text(std::string& out, double v, bool plus_exponent) {
  ShortestDecimal d = shortest_decimal(v);
  if (d.negative) out += '-';
  const std::string& g = d.digits;
  const int n = static_cast<int>(g.size());
  if (g == "0") {
    out += "0.0";
    return;
  }
  // The exponent of the first digit: value = d1.d2...dn times 10^e.
  const int e = d.exp10 + n - 1;
  if (e >= -5 && e <= -1) {
    out += "0.";
    out.append(static_cast<size_t>(-e - 1), '0');
    out += g;
  } else if (e >= 0 && e <= 15 && e < n - 1) {
    out.append(g, 0, static_cast<size_t>(e + 1));
    out += '.';
    out.append(g, static_cast<size_t>(e + 1));
  } else if (e >= 0 && e <= 15) {
    out += g;
    out.append(static_cast<size_t>(e - n + 1), '0');
    out += ".0";
  } else {
    out += g[0];
    if (n > 1) {
      out += '.';
      out.append(g, 1);
    }
    out += 'e';
    if (e < 0) {
      out += '-';
    } else if (plus_exponent) {
      out += '+';
    }
    char buf[8];
    auto res = std::to_chars(buf, buf + sizeof buf, e < 0 ? -e : e);
    out.append(buf, res.ptr);
  }
}

}  // namespace dorvek
