// Where scanned source code came from: a repository at a resolved revision,
// a source artifact, or nothing known. Documents carry no kind marker, so a
// value is told apart by trying each shape in turn.
#pragma once

#include <string>
#include <tuple>
#include <variant>

#include "models/ort/remote_artifact.hpp"
#include "models/ort/vcs_info.hpp"
#include "models/record.hpp"

namespace dorvek::ort {

struct RepositoryProvenance {
  VcsInfo vcs_info;
  std::string resolved_revision;

  bool operator==(const RepositoryProvenance&) const = default;

  static constexpr const char* type_name = "RepositoryProvenance";
  static constexpr Undeclared undeclared = Undeclared::Skip;
  static constexpr auto fields() {
    using T = RepositoryProvenance;
    return std::tuple{required("vcs_info", &T::vcs_info), required("resolved_revision", &T::resolved_revision)};
  }
};

struct ArtifactProvenance {
  RemoteArtifact source_artifact;

  bool operator==(const ArtifactProvenance&) const = default;

  static constexpr const char* type_name = "ArtifactProvenance";
  static constexpr Undeclared undeclared = Undeclared::Skip;
  static constexpr auto fields() { return std::tuple{required("source_artifact", &ArtifactProvenance::source_artifact)}; }
};

class Provenance {
 public:
  struct Unknown {
    bool operator==(const Unknown&) const = default;
  };
  using Value = std::variant<Unknown, RepositoryProvenance, ArtifactProvenance>;

  static constexpr const char* type_name = "Provenance";

  Provenance() = default;
  Provenance(Value v) : value(std::move(v)) {}

  bool operator==(const Provenance&) const = default;

  // The provenance key, by which scan results and file lists are told apart:
  // the kind, with a repository's URL and resolved revision or an artifact's
  // URL. VCS type, revision and path and the artifact hash take no part.
  bool same_key(const Provenance& o) const;
  uint64_t key_hash() const;

  // Buffers the value whole, then tries the repository shape, the artifact
  // shape and null, in that order.
  static Provenance deserialize(Reader& r);
  // Untagged: each kind as its own record, the unknown kind as null.
  void serialize(Writer& w) const;

  Value value;
};

}  // namespace dorvek::ort
