// The snippet choices made for the source code at one provenance.
#pragma once

#include <tuple>
#include <vector>

#include "models/ort/snippet_choice.hpp"
#include "models/ort/snippet_provenance.hpp"
#include "models/record.hpp"

namespace dorvek::ort {

struct SnippetChoices {
  SnippetProvenance provenance;
  // Required, unlike the other lists of the document: an empty value is an
  // empty list, an absent key an error.
  std::vector<SnippetChoice> choices;

  bool operator==(const SnippetChoices&) const = default;

  static constexpr const char* type_name = "SnippetChoices";
  static constexpr auto fields() {
    using T = SnippetChoices;
    return std::tuple{required("provenance", &T::provenance), required("choices", &T::choices)};
  }
};

}  // namespace dorvek::ort
