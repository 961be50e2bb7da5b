// The source code that snippet choices are about: a URL alone.
#pragma once

#include <string>
#include <tuple>

#include "models/record.hpp"

namespace dorvek::ort {

struct SnippetProvenance {
  std::string url;

  bool operator==(const SnippetProvenance&) const = default;

  static constexpr const char* type_name = "SnippetProvenance";
  static constexpr auto fields() {
    using T = SnippetProvenance;
    return std::tuple{required("url", &T::url)};
  }
};

}  // namespace dorvek::ort
