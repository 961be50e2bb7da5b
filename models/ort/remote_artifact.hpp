// A file that can be fetched: its URL and an optional checksum.
#pragma once

#include <optional>
#include <string>
#include <tuple>

#include "models/ort/hash.hpp"
#include "models/record.hpp"

namespace dorvek::ort {

struct RemoteArtifact {
  std::string url;
  std::optional<Hash> hash;

  bool operator==(const RemoteArtifact&) const = default;

  static constexpr const char* type_name = "RemoteArtifact";
  static constexpr Undeclared undeclared = Undeclared::Skip;
  static constexpr auto fields() {
    using T = RemoteArtifact;
    return std::tuple{defaulted("url", &T::url), optional("hash", &T::hash)};
  }
};

}  // namespace dorvek::ort
