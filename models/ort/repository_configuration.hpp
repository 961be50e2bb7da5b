// The repository configuration document, also the `config` of the repository
// in an ORT result. Absent sections stay absent; the two lists default to empty.
#pragma once

#include <optional>
#include <tuple>
#include <vector>

#include "models/ort/curations.hpp"
#include "models/ort/excludes.hpp"
#include "models/ort/includes.hpp"
#include "models/ort/license_choices.hpp"
#include "models/ort/package_configuration.hpp"
#include "models/ort/repository_analyzer_configuration.hpp"
#include "models/ort/resolutions.hpp"
#include "models/ort/snippet_choices.hpp"
#include "models/record.hpp"
#include "models/validation_error.hpp"

namespace dorvek::ort {

struct RepositoryConfiguration : Model {
  std::optional<RepositoryAnalyzerConfiguration> analyzer;
  std::optional<Includes> includes;
  std::optional<Excludes> excludes;
  std::optional<Resolutions> resolutions;
  std::optional<Curations> curations;
  std::vector<PackageConfiguration> package_configurations;
  std::optional<LicenseChoices> license_choices;
  std::vector<SnippetChoices> snippet_choices;

  bool operator==(const RepositoryConfiguration&) const = default;

  static constexpr const char* type_name = "RepositoryConfiguration";
  static constexpr auto fields() {
    using T = RepositoryConfiguration;
    return std::tuple{optional("analyzer", &T::analyzer),
                      optional("includes", &T::includes),
                      optional("excludes", &T::excludes),
                      optional("resolutions", &T::resolutions),
                      optional("curations", &T::curations),
                      defaulted("package_configurations", &T::package_configurations),
                      optional("license_choices", &T::license_choices),
                      defaulted("snippet_choices", &T::snippet_choices)};
  }
};

}  // namespace dorvek::ort
