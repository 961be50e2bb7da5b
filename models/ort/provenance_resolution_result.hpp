// The outcome of resolving one package's provenance and its nested ones.
#pragma once

#include <optional>
#include <string>
#include <tuple>

#include "models/identity.hpp"
#include "models/ort/identifier.hpp"
#include "models/ort/issue.hpp"
#include "models/ort/provenance.hpp"
#include "models/ort/vcs_info.hpp"
#include "models/record.hpp"

namespace dorvek::ort {

struct ProvenanceResolutionResult {
  Identifier id;
  std::optional<Provenance> package_provenance;
  HashMap<std::string, VcsInfo> sub_repositories;
  std::optional<Issue> package_provenance_resolution_issue;
  std::optional<Issue> nested_provenance_resolution_issue;

  bool operator==(const ProvenanceResolutionResult&) const = default;

  // One result per package.
  uint64_t hash_value() const { return id.hash_value(); }
  using Eq = SameKey<&ProvenanceResolutionResult::id>;

  static constexpr const char* type_name = "ProvenanceResolutionResult";
  static constexpr auto fields() {
    using T = ProvenanceResolutionResult;
    return std::tuple{required("id", &T::id), optional("package_provenance", &T::package_provenance),
                      defaulted("sub_repositories", &T::sub_repositories),
                      optional("package_provenance_resolution_issue", &T::package_provenance_resolution_issue),
                      optional("nested_provenance_resolution_issue", &T::nested_provenance_resolution_issue)};
  }
};

using ProvenanceResolutionResults = HashSet<ProvenanceResolutionResult, ProvenanceResolutionResult::Eq>;

}  // namespace dorvek::ort
