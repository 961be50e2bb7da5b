// The curated values of one package; absent values stay distinct from empty
// or false ones.
#pragma once

#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "models/json_value.hpp"
#include "models/ort/remote_artifact.hpp"
#include "models/ort/source_code_origin.hpp"
#include "models/ort/vcsinfo_curation_data.hpp"
#include "models/record.hpp"

namespace dorvek::ort {

struct PackageCurationData {
  std::optional<std::string> comment;
  std::optional<std::string> purl;
  std::optional<std::string> cpe;
  std::optional<std::vector<std::string>> authors;
  std::optional<std::string> concluded_license;
  std::optional<std::string> description;
  std::optional<std::string> homepage_url;
  std::optional<RemoteArtifact> binary_artifact;
  std::optional<RemoteArtifact> source_artifact;
  std::optional<VcsInfoCurationData> vcs;
  std::optional<bool> is_metadata_only;
  std::optional<bool> is_modified;
  HashMap<std::string, JsonValue> declared_license_mapping;
  std::optional<std::vector<SourceCodeOrigin>> source_code_origins;
  HashMap<std::string, std::string> labels;

  bool operator==(const PackageCurationData&) const = default;

  static constexpr const char* type_name = "PackageCurationData";
  static constexpr auto fields() {
    using T = PackageCurationData;
    return std::tuple{optional("comment", &T::comment),
                      optional("purl", &T::purl),
                      optional("cpe", &T::cpe),
                      optional("authors", &T::authors),
                      optional("concluded_license", &T::concluded_license),
                      optional("description", &T::description),
                      optional("homepage_url", &T::homepage_url),
                      optional("binary_artifact", &T::binary_artifact),
                      optional("source_artifact", &T::source_artifact),
                      optional("vcs", &T::vcs),
                      optional("is_metadata_only", &T::is_metadata_only),
                      optional("is_modified", &T::is_modified),
                      defaulted("declared_license_mapping", &T::declared_license_mapping),
                      optional("source_code_origins", &T::source_code_origins),
                      defaulted("labels", &T::labels)};
  }
};

}  // namespace dorvek::ort
