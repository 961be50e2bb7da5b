// The includes section: included paths.
#pragma once

#include <tuple>
#include <vector>

#include "models/ort/path_include.hpp"
#include "models/record.hpp"

namespace dorvek::ort {

struct Includes {
  std::vector<PathInclude> paths;

  bool operator==(const Includes&) const = default;

  static constexpr const char* type_name = "Includes";
  static constexpr auto fields() {
    using T = Includes;
    return std::tuple{defaulted("paths", &T::paths)};
  }
};

}  // namespace dorvek::ort
