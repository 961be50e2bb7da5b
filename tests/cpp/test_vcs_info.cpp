#include <gtest/gtest.h>

#include "models/ort/vcs_info.hpp"
#include "test_support.hpp"

namespace dorvek::ort {
namespace {

using test::error_of;
using test::read_yaml;

TEST(VcsType, Spellings) {
  struct Case {
    const char* input;
    const char* stored;
  };
  const Case cases[] = {
      {"GitHub", "GitHub"}, {"github", "github"},     {"GITHUB", "GITHUB"},   {"git", "git"},
      {"SVN", "SVN"},       {"repo", "repo"},         {"REPO", "REPO"},       {"git-repo", "git-repo"},
      {"Hg", "Hg"},         {"mercurial", "mercurial"}, {"Subversion", "Subversion"}, {"gitrepo", "gitrepo"},
      {"git_repo", ""},     {"Git ", ""},             {"github.com", ""},     {"cvs", ""},
      {"", ""},             {"123", ""},              {"G\xC3\x8FT", ""},     {"Subversionn", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.input);
    EXPECT_EQ(VcsType::new_(c.input).text(), c.stored);
  }
}

TEST(VcsInfo, ReadsDirectly) {
  struct Case {
    const char* yaml;
    const char* result;  // type|url|revision|path, or the error
  };
  const Case cases[] = {
      {"type: GitHub\nurl: u\nrevision: r\npath: p", "GitHub|u|r|p"},
      {"{revision: abc}", "||abc|"},
      {"revision: 123\nurl: ~\ntype: 123", "|~|123|"},
      {"revision: r\nsub_path: x\nextra: [1, {a: !x b}]", "||r|"},
      {"", "missing field `revision`"},
      {"~", "invalid type: unit value, expected struct VcsInfo"},
      {"[a]", "invalid type: sequence, expected struct VcsInfo"},
      {"revision: r\nurl: a\nurl: b", "duplicate field `url`"},
      {"revision: r\n[k]: v", "invalid type: sequence, expected field identifier at line 2 column 1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.yaml);
    std::string got = error_of<VcsInfo>(c.yaml);
    if (got == "ok") {
      VcsInfo v = read_yaml<VcsInfo>(c.yaml);
      got = v.type.text() + "|" + v.url + "|" + v.revision + "|" + v.path;
    }
    EXPECT_EQ(got, c.result);
  }
}

TEST(VcsInfo, WritesEveryField) {
  test::RecordingWriter w;
  write(w, read_yaml<VcsInfo>("revision: r\ntype: cvs"));
  const std::vector<std::string> expected = {
      "struct VcsInfo 4", "field type : VcsType", "  str ", "field url : -",      "  str ",
      "field revision : -", "  str r",            "field path : -", "  str ", "end",
  };
  EXPECT_EQ(w.lines, expected);
}

}  // namespace
}  // namespace dorvek::ort
