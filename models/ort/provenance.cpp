#include "models/ort/provenance.hpp"

#include "models/buffered.hpp"

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
