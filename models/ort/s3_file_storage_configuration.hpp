// A file store in an S3 bucket; uncompressed unless told otherwise. The
// access keys are kept and written back as read.
#pragma once

#include <optional>
#include <string>
#include <tuple>

#include "models/record.hpp"

namespace dorvek::ort {

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

}  // namespace dorvek::ort
