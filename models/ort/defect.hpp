// A defect that an advisor reported for a package; every field kept as written.
#pragma once

#include <optional>
#include <string>
#include <tuple>

#include "models/record.hpp"

namespace dorvek::ort {

struct Defect {
  std::string id;
  std::string url;
  std::optional<std::string> title;
  std::optional<std::string> state;
  std::optional<std::string> severity;
  std::optional<std::string> description;
  std::optional<std::string> creation_time;
  std::optional<std::string> modification_time;
  std::optional<std::string> closing_time;
  std::optional<std::string> fix_release_version;
  std::optional<std::string> fix_release_url;
  HashMap<std::string, std::string> labels;

  bool operator==(const Defect&) const = default;

  static constexpr const char* type_name = "Defect";
  static constexpr auto fields() {
    using T = Defect;
    return std::tuple{required("id", &T::id),
                      required("url", &T::url),
                      optional("title", &T::title),
                      optional("state", &T::state),
                      optional("severity", &T::severity),
                      optional("description", &T::description),
                      optional("creation_time", &T::creation_time),
                      optional("modification_time", &T::modification_time),
                      optional("closing_time", &T::closing_time),
                      optional("fix_release_version", &T::fix_release_version),
                      optional("fix_release_url", &T::fix_release_url),
                      defaulted("labels", &T::labels)};
  }
};

}  // namespace dorvek::ort
