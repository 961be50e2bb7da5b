#include "models/ort/provenance.hpp"

#include "models/buffered.hpp"
#include "models/identity.hpp"

namespace dorvek::ort {

namespace {

// A shape's own failure is never shown: it only means "not this kind".
template <class T>
bool try_shape(const BufferedNode& n, Provenance& out) {
  try {
    out.value = read_buffered<T>(n);
    return true;
  } catch (const YamlError&) {
    return false;
  }
}

}  // namespace

Provenance Provenance::deserialize(Reader& r) {
  BufferedNode n = buffer_node(r);
  Provenance out;
  if (try_shape<RepositoryProvenance>(n, out) || try_shape<ArtifactProvenance>(n, out)) return out;
  auto k = n.kind();
  if (k == BufferedNode::Kind::Null || k == BufferedNode::Kind::None) return out;
  // Positionless: placed at the enclosing record, list or map.
  throw YamlError::custom("data did not match any variant of untagged enum Provenance");
}

bool Provenance::same_key(const Provenance& o) const {
  if (value.index() != o.value.index()) return false;
  if (const auto* a = std::get_if<RepositoryProvenance>(&value)) {
    const auto& b = std::get<RepositoryProvenance>(o.value);
    return a->vcs_info.url == b.vcs_info.url && a->resolved_revision == b.resolved_revision;
  }
  if (const auto* a = std::get_if<ArtifactProvenance>(&value)) {
    return a->source_artifact.url == std::get<ArtifactProvenance>(o.value).source_artifact.url;
  }
  return true;
}

uint64_t Provenance::key_hash() const {
  if (const auto* r = std::get_if<RepositoryProvenance>(&value)) {
    return hash_fields(value.index(), r->vcs_info.url, r->resolved_revision);
  }
  if (const auto* a = std::get_if<ArtifactProvenance>(&value)) {
    return hash_fields(value.index(), a->source_artifact.url);
  }
  return hash_fields(value.index());
}

void Provenance::serialize(Writer& w) const {
  if (const auto* rp = std::get_if<RepositoryProvenance>(&value)) {
    write(w, *rp);
  } else if (const auto* ap = std::get_if<ArtifactProvenance>(&value)) {
    write(w, *ap);
  } else {
    w.serialize_unit();
  }
}

}  // namespace dorvek::ort
