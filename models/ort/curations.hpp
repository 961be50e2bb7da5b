// The curations section: package curations and license finding curations.
#pragma once

#include <tuple>
#include <vector>

#include "models/ort/license_finding_curation.hpp"
#include "models/ort/package_curation.hpp"
#include "models/record.hpp"

namespace dorvek::ort {

struct Curations {
  std::vector<PackageCuration> packages;
  std::vector<LicenseFindingCuration> license_findings;

  bool operator==(const Curations&) const = default;

  static constexpr const char* type_name = "Curations";
  static constexpr auto fields() {
    using T = Curations;
    return std::tuple{defaulted("packages", &T::packages), defaulted("license_findings", &T::license_findings)};
  }
};

}  // namespace dorvek::ort
