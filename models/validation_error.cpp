#include "models/validation_error.hpp"

namespace dorvek {

namespace {
template <class... F>
struct Overload : F... {
  using F::operator()...;
};
template <class... F>
Overload(F...) -> Overload<F...>;
}  // namespace

std::string ValidationError::text() const {
  return std::visit(
      Overload{
          [](const InvalidField& e) { return "Field '" + e.field + "' is invalid: " + e.message; },
          [](const MissingField& e) { return "Missing required field: " + e.field; },
          [](const OutOfRange& e) {
            return "Value out of range for field '" + e.field + "': " + e.message;
          },
          [](const Generic& e) { return "Generic validation error: " + e.message; },
      },
      value_);
}

}  // namespace dorvek
