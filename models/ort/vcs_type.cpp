#include "models/ort/vcs_type.hpp"

#include <array>

#include "models/buffered.hpp"

namespace dorvek::ort {

namespace {

constexpr std::array<std::string_view, 10> kKnown = {
    "Git", "GitHub", "GitLab", "GitRepo", "git-repo", "repo", "Mercurial", "hg", "Subversion", "svn",
};

char ascii_lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool equals_ascii_nocase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (ascii_lower(a[i]) != ascii_lower(b[i])) return false;
  }
  return true;
}

}  // namespace

VcsType VcsType::new_(std::string text) {
  VcsType t;
  for (std::string_view known : kKnown) {
    if (equals_ascii_nocase(text, known)) {
      t.text_ = std::move(text);
      break;
    }
  }
  return t;
}

VcsType VcsType::read_buffered(const BufferedNode& n) { return new_(Codec<std::string>::read_buffered(n)); }

}  // namespace dorvek::ort
