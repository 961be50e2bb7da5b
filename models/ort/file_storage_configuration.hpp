// Where a file store of the scanner keeps its files: behind an HTTP address,
// in a local directory or in an S3 bucket. Any of the three may be given.
#pragma once

#include <optional>
#include <tuple>

#include "models/ort/http_file_storage_configuration.hpp"
#include "models/ort/local_file_storage_configuration.hpp"
#include "models/ort/s3_file_storage_configuration.hpp"
#include "models/record.hpp"

namespace dorvek::ort {

struct FileStorageConfiguration {
  std::optional<HttpFileStorageConfiguration> http_file_storage;
  std::optional<LocalFileStorageConfiguration> local_file_storage;
  std::optional<S3FileStorageConfiguration> s3_file_storage;

  bool operator==(const FileStorageConfiguration&) const = default;

  static constexpr const char* type_name = "FileStorageConfiguration";
  static constexpr auto fields() {
    using T = FileStorageConfiguration;
    return std::tuple{optional("http_file_storage", &T::http_file_storage),
                      optional("local_file_storage", &T::local_file_storage),
                      optional("s3_file_storage", &T::s3_file_storage)};
  }
};

}  // namespace dorvek::ort
