// The analyzer section of a repository configuration: the analyzer's keys,
// every one optional and without default, so an absent setting stays absent.
#pragma once

#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "models/ort/analyzer_configuration.hpp"
#include "models/ort/package_manager_configuration.hpp"
#include "models/record.hpp"

namespace dorvek::ort {

struct RepositoryAnalyzerConfiguration {
  std::optional<bool> allow_dynamic_versions;
  std::optional<std::vector<std::string>> enabled_package_managers;
  std::optional<std::vector<std::string>> disabled_package_managers;
  std::optional<HashMap<std::string, PackageManagerConfiguration>> package_managers;
  std::optional<bool> skip_excluded;

  bool operator==(const RepositoryAnalyzerConfiguration&) const = default;

  static constexpr const char* type_name = "RepositoryAnalyzerConfiguration";
  static constexpr auto fields() {
    using T = RepositoryAnalyzerConfiguration;
    constexpr auto& k = analyzer_configuration_keys;
    return std::tuple{optional(k[0], &T::allow_dynamic_versions), optional(k[1], &T::enabled_package_managers),
                      optional(k[2], &T::disabled_package_managers),
                      optional(k[3], &T::package_managers).or_key(analyzer_package_managers_older_key),
                      optional(k[4], &T::skip_excluded)};
  }
};

}  // namespace dorvek::ort
