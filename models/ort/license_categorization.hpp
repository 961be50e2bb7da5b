#pragma once

#include <string>
#include <tuple>

#include "models/record.hpp"

namespace dorvek::ort {

struct LicenseCategorization {
  std::string id;
  HashSet<std::string> categories;

  static constexpr const char* type_name = "LicenseCategorization";
  static constexpr auto fields() {
    using T = LicenseCategorization;
    return std::tuple{required("id", &T::id), defaulted("categories", &T::categories)};
  }
};

}  // namespace dorvek::ort
