// A package that the analyzer found. A package set holds one package per
// identifier: of two with one id the first read stays.
#pragma once

#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "models/identity.hpp"
#include "models/ort/identifier.hpp"
#include "models/ort/processed_declared_license.hpp"
#include "models/ort/remote_artifact.hpp"
#include "models/ort/source_code_origin.hpp"
#include "models/ort/vcs_info.hpp"
#include "models/record.hpp"

namespace dorvek::ort {

struct Package {
  Identifier id;
  std::string purl;
  std::optional<std::string> cpe;
  HashSet<std::string> authors;
  HashSet<std::string> declared_licenses;
  ProcessedDeclaredLicense declared_licenses_processed;
  std::optional<std::string> concluded_license;
  std::string description;
  std::string homepage_url;
  RemoteArtifact binary_artifact;
  RemoteArtifact source_artifact;
  VcsInfo vcs;
  VcsInfo vcs_processed;
  bool is_metadata_only = false;
  bool is_modified = false;
  std::optional<std::vector<SourceCodeOrigin>> source_code_origins;
  HashMap<std::string, std::string> labels;

  uint64_t hash_value() const { return id.hash_value(); }
  using Eq = SameKey<&Package::id>;

  static constexpr const char* type_name = "Package";
  static constexpr auto fields() {
    using T = Package;
    return std::tuple{required("id", &T::id),
                      required("purl", &T::purl),
                      optional("cpe", &T::cpe),
                      defaulted("authors", &T::authors),
                      required("declared_licenses", &T::declared_licenses),
                      required("declared_licenses_processed", &T::declared_licenses_processed),
                      optional("concluded_license", &T::concluded_license),
                      required("description", &T::description),
                      required("homepage_url", &T::homepage_url),
                      required("binary_artifact", &T::binary_artifact),
                      required("source_artifact", &T::source_artifact),
                      required("vcs", &T::vcs),
                      required("vcs_processed", &T::vcs_processed),
                      defaulted("is_metadata_only", &T::is_metadata_only),
                      defaulted("is_modified", &T::is_modified),
                      optional("source_code_origins", &T::source_code_origins),
                      defaulted("labels", &T::labels)};
  }
};

using Packages = HashSet<Package, Package::Eq>;

}  // namespace dorvek::ort
