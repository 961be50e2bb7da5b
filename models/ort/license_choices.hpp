// The license choices section: choices for the whole repository and for
// single packages. Given and chosen licenses are kept as written.
#pragma once

#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "models/ort/identifier.hpp"
#include "models/record.hpp"

namespace dorvek::ort {

struct SpdxLicenseChoice {
  std::optional<std::string> given;
  std::string choice;

  bool operator==(const SpdxLicenseChoice&) const = default;

  static constexpr const char* type_name = "SpdxLicenseChoice";
  static constexpr auto fields() {
    using T = SpdxLicenseChoice;
    return std::tuple{optional("given", &T::given), required("choice", &T::choice)};
  }
};

struct PackageLicenseChoice {
  Identifier package_id;
  std::vector<SpdxLicenseChoice> license_choices;

  bool operator==(const PackageLicenseChoice&) const = default;

  static constexpr const char* type_name = "PackageLicenseChoice";
  static constexpr auto fields() {
    using T = PackageLicenseChoice;
    return std::tuple{required("package_id", &T::package_id), defaulted("license_choices", &T::license_choices)};
  }
};

struct LicenseChoices {
  std::vector<SpdxLicenseChoice> repository_license_choices;
  std::vector<PackageLicenseChoice> package_license_choices;

  bool operator==(const LicenseChoices&) const = default;

  static constexpr const char* type_name = "LicenseChoices";
  static constexpr auto fields() {
    using T = LicenseChoices;
    return std::tuple{defaulted("repository_license_choices", &T::repository_license_choices),
                      defaulted("package_license_choices", &T::package_license_choices)};
  }
};

}  // namespace dorvek::ort
