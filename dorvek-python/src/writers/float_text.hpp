// The float text of both text writers: shortest round-trip digits, fixed
// notation for decimal exponents -5 to 15, exponent notation beyond.
#pragma once

#include <string>

namespace dorvek {

// Appends a finite `v`: 1.0, -2.5, 0.00001, 1e-6; a positive exponent gets
// "+" when `plus_exponent` (JSON: 1e+16) and none otherwise (YAML: 1e16).
void append_float_text(std::string& out, double v, bool plus_exponent);

}  // namespace dorvek
