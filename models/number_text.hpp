// Shortest round-trip decimal digits of a double, shared by the number texts
// of messages, free-form values and both text writers.
#pragma once

#include <string>

namespace dorvek {

// A finite value as `digits` times ten to the power `exp10`; zero is "0", 0.
struct ShortestDecimal {
  bool negative = false;
  std::string digits;
  int exp10 = 0;
};
ShortestDecimal shortest_decimal(double v);

// The float text of the text writers: fixed notation for decimal exponents
// -5 to 15 (1.0, 0.00001), exponent notation beyond (1e-6). A positive
// exponent gets "+" when `plus_exponent` (JSON: 1e+16), none otherwise
// (YAML: 1e16). `v` must be finite.
void append_float_text(std::string& out, double v, bool plus_exponent);

}  // namespace dorvek
