// A node of a scope's dependency tree: the referenced package's identifier
// text as written (not parsed), its linkage, the references it depends on and
// the issues met for it. A dependency set holds one reference per id text.
#pragma once

#include <string>
#include <tuple>
#include <vector>

#include "models/containers.hpp"
#include "models/ort/issue.hpp"
#include "models/ort/package_linkage.hpp"
#include "models/record.hpp"

namespace dorvek::ort {

struct PackageReference;

// The identity in a dependency set; declared ahead of the record, which
// holds a set of its own kind.
struct SamePackageReferenceId {
  bool operator()(const PackageReference& a, const PackageReference& b) const;
};

struct PackageReference {
  using Eq = SamePackageReferenceId;

  std::string id;
  // Written by the tool only when not the default, so real documents mostly
  // leave it out.
  PackageLinkage linkage = PackageLinkage::DYNAMIC;
  HashSet<PackageReference, Eq> dependencies;
  std::vector<Issue> issues;

  uint64_t hash_value() const { return dorvek::hash_value(id); }

  static constexpr const char* type_name = "PackageReference";
  static constexpr auto fields() {
    using T = PackageReference;
    return std::tuple{required("id", &T::id), defaulted("linkage", &T::linkage),
                      defaulted("dependencies", &T::dependencies), defaulted("issues", &T::issues)};
  }
};

inline bool SamePackageReferenceId::operator()(const PackageReference& a, const PackageReference& b) const {
  return a.id == b.id;
}

}  // namespace dorvek::ort
