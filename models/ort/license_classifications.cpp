#include "models/ort/license_classifications.hpp"

#include <string_view>
#include <unordered_set>

namespace dorvek::ort {

std::optional<ValidationError> LicenseClassifications::validate() const {
  // Views into the document's own texts: nothing is copied.
  std::unordered_set<std::string_view> names;
  names.reserve(categories.size());
  for (const LicenseCategory& c : categories) {
    if (!names.insert(c.name).second) {
      return ValidationError::invalid_field("categories", "duplicate license category name: " + c.name);
    }
  }
  std::unordered_set<std::string_view> ids;
  ids.reserve(categorizations.size());
  for (const LicenseCategorization& c : categorizations) {
    if (!ids.insert(c.id).second) {
      return ValidationError::invalid_field("categorizations", "duplicate license categorization id: " + c.id);
    }
  }
  for (const LicenseCategorization& c : categorizations) {
    for (const std::string& name : c.categories) {
      if (!names.contains(name)) {
        return ValidationError::invalid_field(
            "categorizations", "categorization '" + c.id + "' references unknown category '" + name + "'");
      }
    }
  }
  return std::nullopt;
}

}  // namespace dorvek::ort
