// A pattern of dependency scopes that are excluded, and why. The pattern is kept as written.
#pragma once

#include <string>
#include <tuple>

#include "models/ort/scope_exclude_reason.hpp"
#include "models/record.hpp"

namespace dorvek::ort {

struct ScopeExclude {
  std::string pattern;
  ScopeExcludeReason reason{};
  std::string comment;

  bool operator==(const ScopeExclude&) const = default;

  static constexpr const char* type_name = "ScopeExclude";
  static constexpr auto fields() {
    using T = ScopeExclude;
    return std::tuple{required("pattern", &T::pattern), required("reason", &T::reason),
                      defaulted("comment", &T::comment)};
  }
};

}  // namespace dorvek::ort
