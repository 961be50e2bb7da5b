// Where a project, package or repository lives in version control.
#pragma once

#include <string>
#include <tuple>

#include "models/ort/vcs_type.hpp"
#include "models/record.hpp"

namespace dorvek::ort {

struct VcsInfo {
  VcsType type;
  std::string url;
  std::string revision;
  std::string path;

  bool operator==(const VcsInfo&) const = default;

  static constexpr const char* type_name = "VcsInfo";
  static constexpr Undeclared undeclared = Undeclared::Skip;
  static constexpr auto fields() {
    using T = VcsInfo;
    return std::tuple{defaulted("type", &T::type), defaulted("url", &T::url), required("revision", &T::revision),
                      defaulted("path", &T::path)};
  }
};

}  // namespace dorvek::ort
