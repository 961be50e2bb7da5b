// The version-control location a package configuration applies to. Unlike
// VcsInfo it requires type and url, has no path and rejects undeclared keys.
#pragma once

#include <optional>
#include <string>
#include <tuple>

#include "models/ort/vcs_type.hpp"
#include "models/record.hpp"

namespace dorvek::ort {

struct VcsMatcher {
  VcsType type;
  std::string url;
  std::optional<std::string> revision;

  bool operator==(const VcsMatcher&) const = default;

  static constexpr const char* type_name = "VcsMatcher";
  static constexpr auto fields() {
    using T = VcsMatcher;
    return std::tuple{required("type", &T::type), required("url", &T::url), optional("revision", &T::revision)};
  }
};

}  // namespace dorvek::ort
