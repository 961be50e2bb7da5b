// Placeholder: the EvaluatorRun record lands with its own unit; until then a
// document that holds one fails with a reading error naming it.
#pragma once

#include "models/codec.hpp"

namespace dorvek::ort {

struct EvaluatorRun {
  static constexpr const char* type_name = "EvaluatorRun";
  static EvaluatorRun deserialize(Reader&) { throw YamlError::custom("evaluator runs cannot be read yet"); }
  void serialize(Writer& w) const { w.serialize_unit(); }
};

}  // namespace dorvek::ort
