// What an analyzer run found: projects, packages, the issues per package and
// the dependency graphs. Nothing checks one part against another.
#pragma once

#include <tuple>

#include "models/ort/dependency_graph.hpp"
#include "models/ort/issue.hpp"
#include "models/ort/package.hpp"
#include "models/ort/project.hpp"
#include "models/record.hpp"

namespace dorvek::ort {

struct AnalyzerResult {
  Projects projects;
  Packages packages;
  IssuesById issues;
  DependencyGraphsByName dependency_graphs;

  static constexpr const char* type_name = "AnalyzerResult";
  static constexpr auto fields() {
    using T = AnalyzerResult;
    return std::tuple{required("projects", &T::projects), required("packages", &T::packages),
                      defaulted("issues", &T::issues), defaulted("dependency_graphs", &T::dependency_graphs)};
  }
};

}  // namespace dorvek::ort
