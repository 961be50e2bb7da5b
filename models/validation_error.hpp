// The error of the model's own checks (identifier syntax, after-read validation).
#pragma once

#include <concepts>
#include <optional>
#include <string>
#include <variant>

namespace dorvek {

class ValidationError {
 public:
  struct InvalidField { std::string field, message; };
  struct MissingField { std::string field; };
  struct OutOfRange { std::string field, message; };
  struct Generic { std::string message; };

  // Only from its four kinds: a wider conversion would make a plain text
  // ambiguous wherever a text or a ValidationError is accepted.
  template <class V>
    requires(std::same_as<V, InvalidField> || std::same_as<V, MissingField> || std::same_as<V, OutOfRange> ||
             std::same_as<V, Generic>)
  ValidationError(V v) : value_(std::move(v)) {}

  static ValidationError invalid_field(std::string field, std::string message) {
    return InvalidField{std::move(field), std::move(message)};
  }

  std::string text() const;

 private:
  std::variant<InvalidField, MissingField, OutOfRange, Generic> value_;
};

// A document type: `validate` runs after reading and accepts by default.
// Document types derive from it and hide `validate` where they check something.
struct Model {
  std::optional<ValidationError> validate() const { return std::nullopt; }
  bool operator==(const Model&) const = default;
};

}  // namespace dorvek
