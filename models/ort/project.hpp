// A project that the analyzer found, located by its definition file. A
// project set holds one project per identifier: the first read stays.
#pragma once

#include <optional>
#include <string>
#include <tuple>

#include "models/identity.hpp"
#include "models/ort/identifier.hpp"
#include "models/ort/processed_declared_license.hpp"
#include "models/ort/scope.hpp"
#include "models/ort/vcs_info.hpp"
#include "models/record.hpp"

namespace dorvek::ort {

struct Project {
  Identifier id;
  std::optional<std::string> cpe;
  std::string definition_file_path;
  HashSet<std::string> authors;
  HashSet<std::string> declared_licenses;
  ProcessedDeclaredLicense declared_licenses_processed;
  VcsInfo vcs;
  VcsInfo vcs_processed;
  std::string description;
  std::string homepage_url;
  HashSet<Scope, Scope::Eq> scopes;
  // None and an empty set are different values.
  std::optional<HashSet<std::string>> scope_names;

  uint64_t hash_value() const { return id.hash_value(); }
  using Eq = SameKey<&Project::id>;

  static constexpr const char* type_name = "Project";
  static constexpr auto fields() {
    using T = Project;
    return std::tuple{required("id", &T::id),
                      optional("cpe", &T::cpe),
                      required("definition_file_path", &T::definition_file_path),
                      defaulted("authors", &T::authors),
                      required("declared_licenses", &T::declared_licenses),
                      required("declared_licenses_processed", &T::declared_licenses_processed),
                      required("vcs", &T::vcs),
                      required("vcs_processed", &T::vcs_processed),
                      defaulted("description", &T::description),
                      required("homepage_url", &T::homepage_url),
                      defaulted("scopes", &T::scopes),
                      optional("scope_names", &T::scope_names)};
  }
};

using Projects = HashSet<Project, Project::Eq>;

}  // namespace dorvek::ort
