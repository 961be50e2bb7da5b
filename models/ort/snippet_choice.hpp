// One snippet choice: the location in the scanned code and what was chosen
// for it.
#pragma once

#include <optional>
#include <string>
#include <tuple>

#include "models/ort/snippet_choice_reason.hpp"
#include "models/ort/text_location.hpp"
#include "models/record.hpp"

namespace dorvek::ort {

struct SnippetChoiceGiven {
  TextLocation source_location;

  bool operator==(const SnippetChoiceGiven&) const = default;

  static constexpr const char* type_name = "SnippetChoiceGiven";
  static constexpr auto fields() {
    using T = SnippetChoiceGiven;
    return std::tuple{required("source_location", &T::source_location)};
  }
};

struct SnippetChoiceCriteria {
  std::optional<std::string> purl;
  SnippetChoiceReason reason{};
  std::optional<std::string> comment;

  bool operator==(const SnippetChoiceCriteria&) const = default;

  static constexpr const char* type_name = "SnippetChoiceCriteria";
  static constexpr auto fields() {
    using T = SnippetChoiceCriteria;
    return std::tuple{optional("purl", &T::purl), required("reason", &T::reason), optional("comment", &T::comment)};
  }
};

struct SnippetChoice {
  SnippetChoiceGiven given;
  SnippetChoiceCriteria choice;

  bool operator==(const SnippetChoice&) const = default;

  static constexpr const char* type_name = "SnippetChoice";
  static constexpr auto fields() {
    using T = SnippetChoice;
    return std::tuple{required("given", &T::given), required("choice", &T::choice)};
  }
};

}  // namespace dorvek::ort
