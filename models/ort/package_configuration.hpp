// Path excludes and license finding curations for one package, optionally
// narrowed to one source artifact or version-control location.
#pragma once

#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "models/ort/identifier.hpp"
#include "models/ort/license_finding_curation.hpp"
#include "models/ort/path_exclude.hpp"
#include "models/ort/source_code_origin.hpp"
#include "models/ort/vcsmatcher.hpp"
#include "models/record.hpp"

namespace dorvek::ort {

struct PackageConfiguration {
  Identifier id;
  std::optional<std::string> source_artifact_url;
  std::optional<VcsMatcher> vcs;
  std::optional<SourceCodeOrigin> source_code_origin;
  std::vector<PathExclude> path_excludes;
  std::vector<LicenseFindingCuration> license_finding_curations;

  bool operator==(const PackageConfiguration&) const = default;

  static constexpr const char* type_name = "PackageConfiguration";
  static constexpr auto fields() {
    using T = PackageConfiguration;
    return std::tuple{required("id", &T::id),
                      optional("source_artifact_url", &T::source_artifact_url),
                      optional("vcs", &T::vcs),
                      optional("source_code_origin", &T::source_code_origin),
                      defaulted("path_excludes", &T::path_excludes),
                      defaulted("license_finding_curations", &T::license_finding_curations)};
  }
};

}  // namespace dorvek::ort
