// Curated version-control data: every part optional, undeclared keys skipped.
#pragma once

#include <optional>
#include <string>
#include <tuple>

#include "models/ort/vcs_type.hpp"
#include "models/record.hpp"

namespace dorvek::ort {

struct VcsInfoCurationData {
  std::optional<VcsType> type;
  std::optional<std::string> url;
  std::optional<std::string> revision;
  std::optional<std::string> path;

  bool operator==(const VcsInfoCurationData&) const = default;

  static constexpr const char* type_name = "VcsInfoCurationData";
  static constexpr Undeclared undeclared = Undeclared::Skip;
  static constexpr auto fields() {
    using T = VcsInfoCurationData;
    return std::tuple{optional("type", &T::type), optional("url", &T::url), optional("revision", &T::revision),
                      optional("path", &T::path)};
  }
};

}  // namespace dorvek::ort
