// A fuzz-only root that holds every shared value type, so that the reading
// machinery the documents will use (buffered nodes, flattening, free-form and
// dynamic values, enumerations, coercion, provenance shapes) is fuzzed before
// the documents that hold them can be read.
#pragma once

#include <string>
#include <tuple>
#include <vector>

#include "models/json_value.hpp"
#include "models/ort/base_run.hpp"
#include "models/ort/identifier.hpp"
#include "models/ort/issue.hpp"
#include "models/ort/license_source.hpp"
#include "models/ort/package_linkage.hpp"
#include "models/ort/package_manager_configuration.hpp"
#include "models/ort/provenance.hpp"
#include "models/ort/remote_artifact.hpp"
#include "models/ort/scan_storage_configuration.hpp"
#include "models/ort/source_code_origin.hpp"
#include "models/ort/text_location.hpp"
#include "models/ort/vcs_info.hpp"
#include "models/record.hpp"

namespace dorvek::ort {

// A record with the run header flattened into it, as the four runs have.
struct FuzzRun {
  BaseRun header;
  std::vector<std::string> own;

  static constexpr const char* type_name = "FuzzRun";
  static constexpr auto flatten = &FuzzRun::header;
  static constexpr auto fields() { return std::tuple{defaulted("own", &FuzzRun::own)}; }
};

struct SharedValues {
  std::vector<Identifier> identifiers;
  HashSet<Identifier> identifier_set;
  HashMap<Identifier, std::string> by_identifier;
  std::vector<VcsInfo> vcs;
  std::vector<RemoteArtifact> artifacts;
  std::vector<Provenance> provenances;
  std::vector<TextLocation> locations;
  std::vector<Issue> issues;
  HashMap<std::string, PackageManagerConfiguration> package_managers;
  std::vector<ScanStorageConfiguration> storages;
  std::vector<JsonValue> free_form;
  std::vector<FuzzRun> runs;
  std::vector<LicenseSource> license_sources;
  std::vector<PackageLinkage> linkages;
  std::vector<SourceCodeOrigin> origins;
  std::optional<std::vector<double>> numbers;
  std::vector<int64_t> integers;
  std::vector<bool> flags;

  static constexpr const char* type_name = "SharedValues";
  static constexpr auto fields() {
    using T = SharedValues;
    return std::tuple{
        defaulted("identifiers", &T::identifiers),   defaulted("identifier_set", &T::identifier_set),
        defaulted("by_identifier", &T::by_identifier), defaulted("vcs", &T::vcs),
        defaulted("artifacts", &T::artifacts),       defaulted("provenances", &T::provenances),
        defaulted("locations", &T::locations),       defaulted("issues", &T::issues),
        defaulted("package_managers", &T::package_managers), defaulted("storages", &T::storages),
        defaulted("free_form", &T::free_form),       defaulted("runs", &T::runs),
        defaulted("license_sources", &T::license_sources), defaulted("linkages", &T::linkages),
        defaulted("origins", &T::origins),           optional("numbers", &T::numbers),
        defaulted("integers", &T::integers),         defaulted("flags", &T::flags)};
  }
};

}  // namespace dorvek::ort
