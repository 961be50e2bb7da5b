// Curated metadata for one package, named by its id text as written (not
// parsed as an identifier).
#pragma once

#include <string>
#include <tuple>

#include "models/ort/package_curation_data.hpp"
#include "models/record.hpp"

namespace dorvek::ort {

struct PackageCuration {
  std::string id;
  PackageCurationData curations;

  bool operator==(const PackageCuration&) const = default;

  static constexpr const char* type_name = "PackageCuration";
  static constexpr auto fields() {
    using T = PackageCuration;
    return std::tuple{required("id", &T::id), required("curations", &T::curations)};
  }
};

}  // namespace dorvek::ort
