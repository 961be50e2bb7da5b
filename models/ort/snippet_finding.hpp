// A span of a scanned file with the snippets it matched.
#pragma once

#include <tuple>

#include "models/identity.hpp"
#include "models/ort/snippet.hpp"
#include "models/ort/text_location.hpp"
#include "models/record.hpp"

namespace dorvek::ort {

struct SnippetFinding {
  TextLocation source_location;
  HashSet<Snippet> snippets;

  // The span and its snippets: two findings of one span with different
  // snippets are both kept.
  bool operator==(const SnippetFinding&) const = default;
  uint64_t hash_value() const {
    return hash_fields(source_location.path, source_location.start_line, source_location.end_line);
  }

  static constexpr const char* type_name = "SnippetFinding";
  static constexpr auto fields() {
    using T = SnippetFinding;
    return std::tuple{required("source_location", &T::source_location), required("snippets", &T::snippets)};
  }
};

}  // namespace dorvek::ort
