// The store of the scanner's provenance data: the file list storage's twin.
#pragma once

#include "models/ort/file_list_storage_configuration.hpp"

namespace dorvek::ort {

struct ProvenanceStorageName {
  static constexpr const char* value = "ProvenanceStorageConfiguration";
};
using ProvenanceStorageConfiguration = StorageBackendsConfiguration<ProvenanceStorageName>;

}  // namespace dorvek::ort
