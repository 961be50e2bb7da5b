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

}  // namespace dorvek
