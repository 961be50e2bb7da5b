#include <gtest/gtest.h>

#include "models/ort/license_classifications.hpp"
#include "test_support.hpp"

namespace dorvek::ort {
namespace {

std::string validation_of(std::string_view yaml) {
  auto v = test::read_yaml<LicenseClassifications>(yaml).validate();
  return v ? v->text() : "ok";
}

TEST(LicenseClassifications, ValidationOrder) {
  const std::pair<const char*, const char*> cases[] = {
      {"", "ok"},
      {"categories: [{name: a}]\n", "ok"},
      {"categories: [{name: a}, {name: A}]\ncategorizations: [{id: a, categories: [a, a]}]\n", "ok"},
      {"categories: [{name: a}, {name: b}, {name: b, description: x}, {name: a}]\n",
       "Field 'categories' is invalid: duplicate license category name: b"},
      {"categories: [{name: a}, {name: a}]\ncategorizations: [{id: x}, {id: x}]\n",
       "Field 'categories' is invalid: duplicate license category name: a"},
      {"categorizations: [{id: x}, {id: y, categories: [q]}, {id: x}]\n",
       "Field 'categorizations' is invalid: duplicate license categorization id: x"},
      {"categories: [{name: a}]\ncategorizations: [{id: x, categories: [a]}, {id: y, categories: [A]}, "
       "{id: z, categories: [q]}]\n",
       "Field 'categorizations' is invalid: categorization 'y' references unknown category 'A'"},
  };
  for (auto [yaml, expected] : cases) EXPECT_EQ(validation_of(yaml), expected) << yaml;
}

}  // namespace
}  // namespace dorvek::ort
