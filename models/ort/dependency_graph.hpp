// A dependency graph in its compact form: package identifiers, referenced by
// index from the scope roots' trees, the scopes' root lists, the node list
// and the edge set. Indexes are kept as written and never resolved.
#pragma once

#include <string>
#include <tuple>
#include <vector>

#include "models/ort/dependency_graph_edge.hpp"
#include "models/ort/dependency_graph_node.hpp"
#include "models/ort/dependency_reference.hpp"
#include "models/ort/identifier.hpp"
#include "models/ort/root_dependency_index.hpp"
#include "models/record.hpp"

namespace dorvek::ort {

struct DependencyGraph {
  std::vector<Identifier> packages;
  HashSet<DependencyReference, DependencyReference::Eq> scope_roots;
  RootDependencyIndexListsByName scopes;
  std::vector<DependencyGraphNode> nodes;
  HashSet<DependencyGraphEdge, DependencyGraphEdge::Eq> edges;

  static constexpr const char* type_name = "DependencyGraph";
  static constexpr auto fields() {
    using T = DependencyGraph;
    return std::tuple{defaulted("packages", &T::packages), defaulted("scope_roots", &T::scope_roots),
                      defaulted("scopes", &T::scopes), defaulted("nodes", &T::nodes),
                      defaulted("edges", &T::edges)};
  }
};

// The graphs of a result by name; a repeated name keeps its last graph.
using DependencyGraphsByName = HashMap<std::string, DependencyGraph>;

}  // namespace dorvek::ort
