#include <gtest/gtest.h>

#include <string>
#include <type_traits>

#include "models/validation_error.hpp"

namespace dorvek {
namespace {

// A text must never pass for a ValidationError: YamlError::custom takes both.
static_assert(!std::is_convertible_v<const char*, ValidationError>);
static_assert(!std::is_convertible_v<std::string, ValidationError>);

TEST(ValidationError, DisplayTexts) {
  const std::pair<ValidationError, const char*> cases[] = {
      {ValidationError::invalid_field("categories", "duplicate license category name: A"),
       "Field 'categories' is invalid: duplicate license category name: A"},
      {ValidationError::invalid_field("", ""), "Field '' is invalid: "},
      {ValidationError::MissingField{"x"}, "Missing required field: x"},
      {ValidationError::OutOfRange{"n", "above 5"}, "Value out of range for field 'n': above 5"},
      {ValidationError::Generic{"it's \"odd\""}, "Generic validation error: it's \"odd\""},
  };
  for (const auto& [error, text] : cases) EXPECT_EQ(error.text(), text);
}

}  // namespace
}  // namespace dorvek
