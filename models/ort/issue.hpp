// A timestamped message that a tool reports, with its severity.
#pragma once

#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "models/ort/identifier.hpp"
#include "models/ort/severity.hpp"
#include "models/record.hpp"

namespace dorvek::ort {

struct Issue {
  std::string timestamp;
  std::string source;
  std::string message;
  Severity severity = Severity::ERROR;
  std::optional<std::string> affected_path;

  bool operator==(const Issue&) const = default;

  static constexpr const char* type_name = "Issue";
  static constexpr auto fields() {
    using T = Issue;
    return std::tuple{required("timestamp", &T::timestamp), required("source", &T::source),
                      required("message", &T::message), required("severity", &T::severity),
                      optional("affected_path", &T::affected_path)};
  }
};

// The issue lists keyed by package identifier; a repeated key keeps its last list.
using IssuesById = HashMap<Identifier, std::vector<Issue>>;

}  // namespace dorvek::ort
