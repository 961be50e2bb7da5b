#include <gtest/gtest.h>

#include "models/ort/provenance.hpp"
#include "test_support.hpp"

namespace dorvek::ort {
namespace {

using test::error_of;
using test::read_yaml;

constexpr const char* kNoMatch = "data did not match any variant of untagged enum Provenance";

struct Holder {
  Provenance provenance;
  std::optional<Provenance> maybe;
  static constexpr const char* type_name = "Holder";
  static constexpr auto fields() {
    using T = Holder;
    return std::tuple{required("provenance", &T::provenance), optional("maybe", &T::maybe)};
  }
};

std::string show(const Provenance& p) {
  if (const auto* r = std::get_if<RepositoryProvenance>(&p.value)) {
    const VcsInfo& v = r->vcs_info;
    return "repo " + v.type.text() + "|" + v.url + "|" + v.revision + "|" + v.path + " @" + r->resolved_revision;
  }
  if (const auto* a = std::get_if<ArtifactProvenance>(&p.value)) {
    const RemoteArtifact& s = a->source_artifact;
    return "artifact " + s.url + "|" + (s.hash ? s.hash->value + " " + s.hash->algorithm : "-");
  }
  return "unknown";
}

// The holder's provenance (and optional one after "/"), or the error.
std::string outcome(const std::string& yaml) {
  std::string err = error_of<Holder>(yaml);
  if (err != "ok") return err;
  Holder h = read_yaml<Holder>(yaml);
  return show(h.provenance) + (h.maybe ? " / " + show(*h.maybe) : "");
}

TEST(Provenance, Shapes) {
  struct Case {
    const char* value;  // of the `provenance` key
    const char* result;
  };
  const Case cases[] = {
      // repository
      {"{vcs_info: {type: Git, url: u, revision: main}, resolved_revision: abc123}", "repo Git|u|main| @abc123"},
      {"{vcs_info: {type: github, revision: r, extra: [1]}, resolved_revision: '1234567', x: 1}",
       "repo github||r| @1234567"},
      {"{vcs_info: [cvs, u, r, p], resolved_revision: x}", "repo |u|r|p @x"},
      {"{vcs_info: {0: svn, 2: r, 9: z}, resolved_revision: x}", "repo svn||r| @x"},
      {"{vcs_info: [git, u, r], resolved_revision: x, 2: y}", "repo git|u|r| @x"},
      {"[{revision: r}, abc]", "repo ||r| @abc"},
      {"{0: {revision: r}, 1: abc}", "repo ||r| @abc"},
      {"{vcs_info: {revision: r}, resolved_revision: x, source_artifact: {url: u}}", "repo ||r| @x"},
      // artifact
      {"{source_artifact: {url: u}}", "artifact u|-"},
      {"{source_artifact: {}}", "artifact |-"},
      {"{source_artifact: []}", "artifact |-"},
      {"{source_artifact: [u, [v, SHA-1]]}", "artifact u|v SHA1"},
      {"{source_artifact: {url: u, hash: {value: v, algorithm: sha1}, size: 1}}", "artifact u|v UNKNOWN"},
      {"{source_artifact: {url: u, hash: ~}}", "artifact u|-"},
      {"[{url: u}]", "artifact u|-"},
      {"{source_artifact: [u]}", "artifact u|-"},
      {"{0: {url: u}}", "artifact u|-"},
      {"{vcs_info: {revision: r}, source_artifact: {url: u}}", "artifact u|-"},
      {"\n  vcs_info:\n  resolved_revision: x\n  source_artifact: {url: u}", "artifact u|-"},
      {"{vcs_info: {revision: r}, resolved_revision: 1234567, source_artifact: {url: u}}", "artifact u|-"},
      // unknown
      {"~", "unknown"},
      {"null", "unknown"},
      {"", "unknown"},
      // no shape
      {"'null'", kNoMatch},
      {"{}", kNoMatch},
      {"x", kNoMatch},
      {"{vcs_info: {revision: r}, resolved_revision: 1234567}", kNoMatch},
      {"{vcs_info: {revision: r, url: 12}, resolved_revision: x}", kNoMatch},
      {"\n  vcs_info:\n  resolved_revision: x", kNoMatch},
      {"{vcs_info: {revision: r}, resolved_revision: x, resolved_revision: y}", kNoMatch},
      {"{source_artifact: {url: 5}}", kNoMatch},
      {"{source_artifact: {url: u, hash: {value: v}}}", kNoMatch},
      {"{source_artifact: {url: u, hash: [v, SHA1, x]}}", kNoMatch},
      {"\n  source_artifact:", kNoMatch},
      {"{true: x, source_artifact: {url: u}}", kNoMatch},
      {"[{revision: r}, abc, x]", kNoMatch},
      {"[[u], x]", kNoMatch},
      {"[]", kNoMatch},
      // buffered sequences of the wrong length, and key kinds other than text or unsigned
      {"{vcs_info: [git, u], resolved_revision: x}", kNoMatch},
      {"{vcs_info: [git, u, r, p, q], resolved_revision: x}", kNoMatch},
      {"{source_artifact: [u, ~, x]}", kNoMatch},
      {"{source_artifact: [u, [v]]}", kNoMatch},
      {"{vcs_info: {-1: x, revision: r}, resolved_revision: x}", kNoMatch},
      {"{vcs_info: {revision: r}, resolved_revision: x, 1.5: y}", kNoMatch},
      {"{vcs_info: {revision: r, type: 5}, resolved_revision: x}", kNoMatch},
      // buffering failures are shown as they are
      {"{source_artifact: !foo {url: u}}",
       "provenance.source_artifact: untagged and internally tagged enums do not support enum input at line 1 column "
       "31"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    EXPECT_EQ(outcome(std::string("provenance: ") + c.value), c.result);
  }
}

TEST(Provenance, PresenceAndPlacement) {
  struct Case {
    const char* yaml;
    const char* result;
  };
  const Case cases[] = {
      {"provenance: ~\nmaybe: ~", "unknown"},
      {"provenance: ~\nmaybe: {source_artifact: {url: u}}", "unknown / artifact u|-"},
      {"maybe: ~", "missing field `provenance`"},
      {"maybe: {}\nprovenance: ~", kNoMatch},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.yaml);
    EXPECT_EQ(outcome(c.yaml), c.result);
  }
  EXPECT_EQ(error_of<std::vector<Holder>>("- provenance: ~\n- maybe: ~\n  provenance: {}\n"),
            ".[1]: " + std::string(kNoMatch) + " at line 2 column 3");
  EXPECT_EQ(error_of<std::vector<Provenance>>("- ~\n- {}\n"), std::string(kNoMatch));
}

TEST(Provenance, WritesUntagged) {
  Holder h = read_yaml<Holder>("provenance: [{revision: r}, abc]\nmaybe: ~\n");
  test::RecordingWriter w;
  write(w, h);
  const std::vector<std::string> expected = {
      "struct Holder 2",
      "field provenance : Provenance",
      "  struct RepositoryProvenance 2",
      "  field vcs_info : VcsInfo",
      "    struct VcsInfo 4",
      "    field type : VcsType",
      "      str ",
      "    field url : -",
      "      str ",
      "    field revision : -",
      "      str r",
      "    field path : -",
      "      str ",
      "    end",
      "  field resolved_revision : -",
      "    str abc",
      "  end",
      "field maybe : -",
      "  none",
      "end",
  };
  EXPECT_EQ(w.lines, expected);
  test::RecordingWriter u;
  write(u, Provenance{});
  EXPECT_EQ(u.lines, std::vector<std::string>{"unit"});
}

}  // namespace
}  // namespace dorvek::ort
