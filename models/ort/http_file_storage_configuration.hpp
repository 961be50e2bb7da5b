// A file store behind an HTTP address: the address, a query text and the
// headers to send.
#pragma once

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

}  // namespace dorvek::ort
