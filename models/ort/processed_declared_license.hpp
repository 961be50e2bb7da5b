// The declared licenses of a package or project after processing: the
// expression they form, those mapped with what each was mapped to, and those
// left unmapped. Texts are kept as written.
#pragma once

#include <optional>
#include <string>
#include <tuple>

#include "models/record.hpp"

namespace dorvek::ort {

struct ProcessedDeclaredLicense {
  std::optional<std::string> spdx_expression;
  HashMap<std::string, std::string> mapped;
  HashSet<std::string> unmapped;

  static constexpr const char* type_name = "ProcessedDeclaredLicense";
  static constexpr auto fields() {
    using T = ProcessedDeclaredLicense;
    return std::tuple{optional("spdx_expression", &T::spdx_expression), defaulted("mapped", &T::mapped),
                      defaulted("unmapped", &T::unmapped)};
  }
};

}  // namespace dorvek::ort
