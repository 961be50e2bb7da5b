// The store of the scanner's file lists: a file store or a PostgreSQL store.
// The provenance storage has the same shape under another name, so both are
// one declaration: one key list, one field walk, two type names.
#pragma once

#include <optional>
#include <tuple>

#include "models/ort/file_storage_configuration.hpp"
#include "models/ort/scan_storage_configuration.hpp"
#include "models/record.hpp"

namespace dorvek::ort {

template <class Name>
struct StorageBackendsConfiguration {
  std::optional<FileStorageConfiguration> file_storage;
  std::optional<PostgresStorageConfiguration> postgres_storage;

  bool operator==(const StorageBackendsConfiguration&) const = default;

  static constexpr const char* type_name = Name::value;
  static constexpr auto fields() {
    using T = StorageBackendsConfiguration;
    return std::tuple{optional("file_storage", &T::file_storage), optional("postgres_storage", &T::postgres_storage)};
  }
};

struct FileListStorageName {
  static constexpr const char* value = "FileListStorageConfiguration";
};
using FileListStorageConfiguration = StorageBackendsConfiguration<FileListStorageName>;

}  // namespace dorvek::ort
