// A pattern of paths that are excluded, and why. The pattern is kept as written.
#pragma once

#include <string>
#include <tuple>

#include "models/ort/path_exclude_reason.hpp"
#include "models/record.hpp"

namespace dorvek::ort {

struct PathExclude {
  std::string pattern;
  PathExcludeReason reason{};
  std::string comment;

  bool operator==(const PathExclude&) const = default;

  static constexpr const char* type_name = "PathExclude";
  static constexpr auto fields() {
    using T = PathExclude;
    return std::tuple{required("pattern", &T::pattern), required("reason", &T::reason),
                      defaulted("comment", &T::comment)};
  }
};

}  // namespace dorvek::ort
