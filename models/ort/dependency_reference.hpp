// A node of a dependency graph's tree form: a package index with its
// fragment, the references it depends on, its linkage and its issues. A
// dependency set holds one reference per (pkg, fragment) pair.
#pragma once

#include <cstdint>
#include <tuple>
#include <vector>

#include "models/identity.hpp"
#include "models/ort/issue.hpp"
#include "models/ort/package_linkage.hpp"
#include "models/record.hpp"

namespace dorvek::ort {

struct DependencyReference;

// The identity in a dependency set; declared ahead of the record, which
// holds a set of its own kind.
struct SameDependencyReferenceKey {
  bool operator()(const DependencyReference& a, const DependencyReference& b) const;
};

struct DependencyReference {
  using Eq = SameDependencyReferenceKey;

  int64_t pkg = 0;
  int64_t fragment = 0;
  HashSet<DependencyReference, Eq> dependencies;
  PackageLinkage linkage = PackageLinkage::DYNAMIC;
  // The tool leaves out an empty list, so absent means empty.
  std::vector<Issue> issues;

  uint64_t hash_value() const { return hash_i64s(pkg, fragment); }

  static constexpr const char* type_name = "DependencyReference";
  static constexpr auto fields() {
    using T = DependencyReference;
    return std::tuple{required("pkg", &T::pkg), defaulted("fragment", &T::fragment),
                      defaulted("dependencies", &T::dependencies), defaulted("linkage", &T::linkage),
                      defaulted("issues", &T::issues)};
  }
};

inline bool SameDependencyReferenceKey::operator()(const DependencyReference& a, const DependencyReference& b) const {
  return a.pkg == b.pkg && a.fragment == b.fragment;
}

}  // namespace dorvek::ort
