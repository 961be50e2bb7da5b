// The analysed repository: where it lives, its nested repositories and the
// configuration it carried.
#pragma once

#include <string>
#include <tuple>

#include "models/ort/repository_configuration.hpp"
#include "models/ort/vcs_info.hpp"
#include "models/record.hpp"

namespace dorvek::ort {

struct Repository {
  VcsInfo vcs;
  VcsInfo vcs_processed;
  // Keyed by path as written; nothing checks the keys.
  HashMap<std::string, VcsInfo> nested_repositories;
  RepositoryConfiguration config;

  bool operator==(const Repository&) const = default;

  static constexpr const char* type_name = "Repository";
  static constexpr auto fields() {
    using T = Repository;
    return std::tuple{required("vcs", &T::vcs), required("vcs_processed", &T::vcs_processed),
                      defaulted("nested_repositories", &T::nested_repositories), required("config", &T::config)};
  }
};

}  // namespace dorvek::ort
