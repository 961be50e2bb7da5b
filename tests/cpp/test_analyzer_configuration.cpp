#include <gtest/gtest.h>

#include "models/ort/analyzer_configuration.hpp"
#include "models/ort/repository_analyzer_configuration.hpp"
#include "test_support.hpp"

namespace dorvek::ort {
namespace {

using test::error_of;
using test::read_yaml;

// allow|enabled (count, or first names)|disabled|package managers|skip, or the error.
std::string outcome(const char* yaml) {
  std::string err = error_of<AnalyzerConfiguration>(yaml);
  if (err != "ok") return err;
  AnalyzerConfiguration c = read_yaml<AnalyzerConfiguration>(yaml);
  std::string enabled;
  if (c.enabled_package_managers.size() > 2) {
    enabled = std::to_string(c.enabled_package_managers.size());
  } else {
    for (const std::string& n : c.enabled_package_managers) enabled += "[" + n + "]";
  }
  std::string disabled = c.disabled_package_managers ? std::to_string(c.disabled_package_managers->size()) : "none";
  std::string managers = c.package_managers ? std::to_string(c.package_managers->size()) : "none";
  return std::string(c.allow_dynamic_versions ? "true" : "false") + "|" + enabled + "|" + disabled + "|" + managers +
         "|" + (c.skip_excluded ? "true" : "false");
}

TEST(AnalyzerConfiguration, DefaultsApplyToAbsentKeysOnly) {
  struct Case {
    const char* yaml;
    const char* result;
  };
  const Case cases[] = {
      {"", "false|26|none|none|false"},
      {"{}", "false|26|none|none|false"},
      {"enabled_package_managers: []", "false||none|none|false"},
      {"enabled_package_managers:", "false||none|none|false"},
      {"enabled_package_managers: [Maven]\nskip_excluded: TRUE", "false|[Maven]|none|none|true"},
      {"enabled_package_managers: [1, true]", "false|[1][true]|none|none|false"},
      {"disabled_package_managers: ~\npackage_managers:", "false|26|none|none|false"},
      {"disabled_package_managers: []\npackage_managers: {NPM: {must_run_after: [a]}, NPM: {}}", "false|26|0|1|false"},
      {"~", "invalid type: unit value, expected struct AnalyzerConfiguration"},
      {"enabled_package_managers: null",
       "enabled_package_managers: invalid type: unit value, expected a sequence at line 1 column 27"},
      {"allow_dynamic_versions: yes",
       "allow_dynamic_versions: invalid type: string \"yes\", expected a boolean at line 1 column 25"},
      {"allow_dynamic_versions:", "allow_dynamic_versions: invalid type: unit value, expected a boolean at line 1 column 24"},
      {"skip_excluded: false\nskip_excluded: false", "duplicate field `skip_excluded`"},
      {"Skip_excluded: true",
       "unknown field `Skip_excluded`, expected one of `allow_dynamic_versions`, `enabled_package_managers`, "
       "`disabled_package_managers`, `package_managers`, `skip_excluded`"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.yaml);
    EXPECT_EQ(outcome(c.yaml), c.result);
  }
}

TEST(AnalyzerConfiguration, DefaultListIsFreshAndInOrder) {
  std::vector<std::string> names = default_enabled_package_managers();
  ASSERT_EQ(names.size(), 26u);
  EXPECT_EQ(names.front(), "Bazel");
  EXPECT_EQ(names[9], "GradleInspector");
  EXPECT_EQ(names[19], "SpdxDocumentFile");
  EXPECT_EQ(names.back(), "Yarn2");
  names.clear();
  EXPECT_EQ(default_enabled_package_managers().size(), 26u);
}

TEST(AnalyzerConfiguration, SharesUnknownKeyMessageWithRepositorySection) {
  const char* yaml = "allow_dynamic_versions: true\nenabled: [x]";
  EXPECT_EQ(error_of<AnalyzerConfiguration>(yaml), error_of<RepositoryAnalyzerConfiguration>(yaml));
  EXPECT_NE(error_of<AnalyzerConfiguration>(yaml), "ok");
}

TEST(AnalyzerConfiguration, WritesEveryField) {
  test::RecordingWriter w;
  write(w, read_yaml<AnalyzerConfiguration>("enabled_package_managers: [Pub]"));
  const std::vector<std::string> expected = {
      "struct AnalyzerConfiguration 5",
      "field allow_dynamic_versions : -",
      "  bool false",
      "field enabled_package_managers : -",
      "  seq 1",
      "  element : -",
      "    str Pub",
      "  end",
      "field disabled_package_managers : -",
      "  none",
      "field package_managers : -",
      "  none",
      "field skip_excluded : -",
      "  bool false",
      "end",
  };
  EXPECT_EQ(w.lines, expected);
}

}  // namespace
}  // namespace dorvek::ort
