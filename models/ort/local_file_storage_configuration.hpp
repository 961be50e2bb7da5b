// A file store in a local directory; compressed unless told otherwise.
#pragma once

#include <string>
#include <tuple>

#include "models/record.hpp"

namespace dorvek::ort {

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

}  // namespace dorvek::ort
