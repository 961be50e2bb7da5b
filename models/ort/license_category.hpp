#pragma once

#include <string>
#include <tuple>

#include "models/record.hpp"

namespace dorvek::ort {

struct LicenseCategory {
  std::string name;
  std::string description;

  static constexpr const char* type_name = "LicenseCategory";
  static constexpr auto fields() {
    using T = LicenseCategory;
    return std::tuple{required("name", &T::name), defaulted("description", &T::description)};
  }
};

}  // namespace dorvek::ort
