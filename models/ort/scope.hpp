// A named dependency scope of a project with the roots of its dependency
// tree. A project holds one scope per name.
#pragma once

#include <string>
#include <tuple>

#include "models/identity.hpp"
#include "models/ort/package_reference.hpp"
#include "models/record.hpp"

namespace dorvek::ort {

struct Scope {
  std::string name;
  HashSet<PackageReference, PackageReference::Eq> dependencies;

  uint64_t hash_value() const { return dorvek::hash_value(name); }
  using Eq = SameKey<&Scope::name>;

  static constexpr const char* type_name = "Scope";
  static constexpr auto fields() {
    using T = Scope;
    return std::tuple{required("name", &T::name), defaulted("dependencies", &T::dependencies)};
  }
};

}  // namespace dorvek::ort
