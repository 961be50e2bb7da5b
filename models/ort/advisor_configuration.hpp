// The settings with which the advisor ran: whether excluded parts were
// skipped, and each advisor's options as free-form values.
#pragma once

#include <optional>
#include <string>
#include <tuple>

#include "models/json_value.hpp"
#include "models/record.hpp"

namespace dorvek::ort {

struct AdvisorConfiguration {
  bool skip_excluded = false;
  std::optional<HashMap<std::string, JsonValue>> advisors;

  bool operator==(const AdvisorConfiguration&) const = default;

  static constexpr const char* type_name = "AdvisorConfiguration";
  static constexpr auto fields() {
    using T = AdvisorConfiguration;
    return std::tuple{defaulted("skip_excluded", &T::skip_excluded),
                      optional("advisors", &T::advisors).or_key("config")};
  }
};

}  // namespace dorvek::ort
