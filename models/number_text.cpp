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

}  // namespace dorvek
