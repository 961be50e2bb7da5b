// The scanner's file archiver: whether it ran, and the store of its archives.
#pragma once

#include <optional>
#include <tuple>

#include "models/ort/file_storage_configuration.hpp"
#include "models/ort/scan_storage_configuration.hpp"
#include "models/record.hpp"

namespace dorvek::ort {

struct FileArchiverConfiguration {
  bool enabled = true;
  std::optional<FileStorageConfiguration> file_storage;
  std::optional<PostgresStorageConfiguration> postgres_storage;

  bool operator==(const FileArchiverConfiguration&) const = default;

  static constexpr const char* type_name = "FileArchiverConfiguration";
  static constexpr auto fields() {
    using T = FileArchiverConfiguration;
    return std::tuple{defaulted("enabled", &T::enabled), optional("file_storage", &T::file_storage),
                      optional("postgres_storage", &T::postgres_storage)};
  }
};

}  // namespace dorvek::ort
