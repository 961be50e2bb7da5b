// The settings with which the analyzer ran: the `config` of an analyzer run.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "models/ort/package_manager_configuration.hpp"
#include "models/record.hpp"

namespace dorvek::ort {

// The keys of the analyzer settings, in declaration order. The repository's
// analyzer section declares the same keys from this list, so the two records
// match keys alike and refuse others with the same message.
inline constexpr std::array<std::string_view, 5> analyzer_configuration_keys = {
    "allow_dynamic_versions", "enabled_package_managers", "disabled_package_managers", "package_managers",
    "skip_excluded"};
// The older name of `package_managers`, which ORT still reads.
inline constexpr std::string_view analyzer_package_managers_older_key = "analyzers";

// The package managers enabled when a configuration names none, as a fresh list.
std::vector<std::string> default_enabled_package_managers();

struct AnalyzerConfiguration {
  bool allow_dynamic_versions = false;
  std::vector<std::string> enabled_package_managers = default_enabled_package_managers();
  std::optional<std::vector<std::string>> disabled_package_managers;
  std::optional<HashMap<std::string, PackageManagerConfiguration>> package_managers;
  bool skip_excluded = false;

  bool operator==(const AnalyzerConfiguration&) const = default;

  static constexpr const char* type_name = "AnalyzerConfiguration";
  static constexpr auto fields() {
    using T = AnalyzerConfiguration;
    constexpr auto& k = analyzer_configuration_keys;
    return std::tuple{defaulted(k[0], &T::allow_dynamic_versions), defaulted(k[1], &T::enabled_package_managers),
                      optional(k[2], &T::disabled_package_managers),
                      optional(k[3], &T::package_managers).or_key(analyzer_package_managers_older_key),
                      defaulted(k[4], &T::skip_excluded)};
  }
};

}  // namespace dorvek::ort
