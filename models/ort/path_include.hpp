// A pattern of paths that are included, and why. The pattern is kept as written.
#pragma once

#include <string>
#include <tuple>

#include "models/ort/path_include_reason.hpp"
#include "models/record.hpp"

namespace dorvek::ort {

struct PathInclude {
  std::string pattern;
  PathIncludeReason reason{};
  std::string comment;

  bool operator==(const PathInclude&) const = default;

  static constexpr const char* type_name = "PathInclude";
  static constexpr auto fields() {
    using T = PathInclude;
    return std::tuple{required("pattern", &T::pattern), required("reason", &T::reason),
                      defaulted("comment", &T::comment)};
  }
};

}  // namespace dorvek::ort
