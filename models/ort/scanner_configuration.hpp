// The settings with which the scanner ran, as the ORT result records them:
// switches, a license mapping, ignore patterns, each scanner's options as
// free-form values and the storage back-ends. Kept and written, never acted on.
#pragma once

#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "models/json_value.hpp"
#include "models/ort/file_archiver_configuration.hpp"
#include "models/ort/file_list_storage_configuration.hpp"
#include "models/ort/provenance_storage_configuration.hpp"
#include "models/ort/scan_storage_configuration.hpp"
#include "models/record.hpp"

namespace dorvek::ort {

struct ScannerConfiguration {
  bool skip_concluded = false;
  bool skip_excluded = false;
  bool include_files_without_findings = false;
  std::optional<FileArchiverConfiguration> archive;
  HashMap<std::string, std::string> detected_license_mapping;
  std::optional<FileListStorageConfiguration> file_list_storage;
  std::optional<HashMap<std::string, JsonValue>> scanners;
  std::optional<HashMap<std::string, ScanStorageConfiguration>> storages;
  std::optional<std::vector<std::string>> storage_readers;
  std::optional<std::vector<std::string>> storage_writers;
  std::vector<std::string> ignore_patterns;
  std::optional<ProvenanceStorageConfiguration> provenance_storage;

  bool operator==(const ScannerConfiguration&) const = default;

  static constexpr const char* type_name = "ScannerConfiguration";
  static constexpr auto fields() {
    using T = ScannerConfiguration;
    return std::tuple{defaulted("skip_concluded", &T::skip_concluded),
                      defaulted("skip_excluded", &T::skip_excluded),
                      defaulted("include_files_without_findings", &T::include_files_without_findings),
                      optional("archive", &T::archive),
                      defaulted("detected_license_mapping", &T::detected_license_mapping),
                      optional("file_list_storage", &T::file_list_storage),
                      optional("scanners", &T::scanners).or_key("config"),
                      optional("storages", &T::storages),
                      optional("storage_readers", &T::storage_readers),
                      optional("storage_writers", &T::storage_writers),
                      defaulted("ignore_patterns", &T::ignore_patterns),
                      optional("provenance_storage", &T::provenance_storage)};
  }
};

}  // namespace dorvek::ort
