// The license classifications document.
#pragma once

#include <optional>
#include <tuple>
#include <vector>

#include "models/ort/license_categorization.hpp"
#include "models/ort/license_category.hpp"
#include "models/record.hpp"
#include "models/validation_error.hpp"

namespace dorvek::ort {

struct LicenseClassifications : Model {
  std::vector<LicenseCategory> categories;
  std::vector<LicenseCategorization> categorizations;

  static constexpr const char* type_name = "LicenseClassifications";
  static constexpr auto fields() {
    using T = LicenseClassifications;
    return std::tuple{defaulted("categories", &T::categories),
                      defaulted("categorizations", &T::categorizations)};
  }

  // Unique category names, unique categorization ids, declared categories only.
  std::optional<ValidationError> validate() const;
};

}  // namespace dorvek::ort
