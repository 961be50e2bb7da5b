// Placeholder: the AdvisorRun record lands with its own unit; until then a
// document that holds one fails with a reading error naming it.
#pragma once

#include "models/codec.hpp"

namespace dorvek::ort {

struct AdvisorRun {
  static constexpr const char* type_name = "AdvisorRun";
  static AdvisorRun deserialize(Reader&) { throw YamlError::custom("advisor runs cannot be read yet"); }
  void serialize(Writer& w) const { w.serialize_unit(); }
};

}  // namespace dorvek::ort
