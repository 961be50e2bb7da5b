// Where a file store of the scanner keeps its files: behind an HTTP address,
// in a local directory or in an S3 bucket. Any of the three may be given.
#pragma once

#include <optional>
#include <string>
#include <tuple>

#include "models/record.hpp"

namespace dorvek::ort {

struct HttpFileStorageConfiguration {
  std::string url;
  std::string query;
  HashMap<std::string, std::string> headers;

  bool operator==(const HttpFileStorageConfiguration&) const = default;

  static constexpr const char* type_name = "HttpFileStorageConfiguration";
  static constexpr auto fields() {
    using T = HttpFileStorageConfiguration;
    return std::tuple{required("url", &T::url), defaulted("query", &T::query), defaulted("headers", &T::headers)};
  }
};

struct LocalFileStorageConfiguration {
  std::string directory;
  bool compression = true;

  bool operator==(const LocalFileStorageConfiguration&) const = default;

  static constexpr const char* type_name = "LocalFileStorageConfiguration";
  static constexpr auto fields() {
    using T = LocalFileStorageConfiguration;
    return std::tuple{required("directory", &T::directory), defaulted("compression", &T::compression)};
  }
};

struct S3FileStorageConfiguration {
  std::optional<std::string> access_key_id;
  std::optional<std::string> aws_region;
  std::string bucket_name;
  bool compression = false;
  std::optional<std::string> custom_endpoint;
  bool path_style_access = false;
  std::optional<std::string> secret_access_key;

  bool operator==(const S3FileStorageConfiguration&) const = default;

  static constexpr const char* type_name = "S3FileStorageConfiguration";
  static constexpr auto fields() {
    using T = S3FileStorageConfiguration;
    return std::tuple{optional("access_key_id", &T::access_key_id),
                      optional("aws_region", &T::aws_region),
                      required("bucket_name", &T::bucket_name),
                      defaulted("compression", &T::compression),
                      optional("custom_endpoint", &T::custom_endpoint),
                      defaulted("path_style_access", &T::path_style_access),
                      optional("secret_access_key", &T::secret_access_key)};
  }
};

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
