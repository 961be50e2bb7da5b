#include <gtest/gtest.h>

#include "models/ort/scanner_configuration.hpp"
#include "written_text.hpp"

namespace dorvek::ort {
namespace {

using test::json_or_error;
using test::yaml_or_error;

constexpr const char* kKeys =
    "one of `skip_concluded`, `skip_excluded`, `include_files_without_findings`, `archive`, "
    "`detected_license_mapping`, `file_list_storage`, `scanners`, `storages`, `storage_readers`, "
    "`storage_writers`, `ignore_patterns`, `provenance_storage`";

TEST(ScannerConfiguration, EmptyGivesEveryDefault) {
  const char* json =
      "{\n"
      "  \"skip_concluded\": false,\n"
      "  \"skip_excluded\": false,\n"
      "  \"include_files_without_findings\": false,\n"
      "  \"archive\": null,\n"
      "  \"detected_license_mapping\": {},\n"
      "  \"file_list_storage\": null,\n"
      "  \"scanners\": null,\n"
      "  \"storages\": null,\n"
      "  \"storage_readers\": null,\n"
      "  \"storage_writers\": null,\n"
      "  \"ignore_patterns\": [],\n"
      "  \"provenance_storage\": null\n"
      "}";
  EXPECT_EQ(json_or_error<ScannerConfiguration>(""), json);
  EXPECT_EQ(json_or_error<ScannerConfiguration>("{}"), json);
  EXPECT_EQ(json_or_error<ScannerConfiguration>("!!map"), json);
  const std::string yaml = yaml_or_error<ScannerConfiguration>("");
  EXPECT_EQ(yaml,
            "skip_concluded: false\nskip_excluded: false\ninclude_files_without_findings: false\narchive: null\n"
            "detected_license_mapping: {}\nfile_list_storage: null\nscanners: null\nstorages: null\n"
            "storage_readers: null\nstorage_writers: null\nignore_patterns: []\nprovenance_storage: null\n");
  EXPECT_EQ(yaml_or_error<ScannerConfiguration>(yaml), yaml);
}

// Each case gives one field; the others keep their defaults.
TEST(ScannerConfiguration, Fields) {
  struct Case {
    const char* yaml;
    const char* field;  // the field as written
  };
  const Case cases[] = {
      {"skip_concluded: True", "skip_concluded: true\n"},
      {"include_files_without_findings: FALSE", "include_files_without_findings: false\n"},
      {"detected_license_mapping:", "detected_license_mapping: {}\n"},
      {"detected_license_mapping: {1: true}", "detected_license_mapping:\n  '1': 'true'\n"},
      {"detected_license_mapping: {x: a, x: b}", "detected_license_mapping:\n  x: b\n"},
      {"ignore_patterns:", "ignore_patterns: []\n"},
      {"ignore_patterns: [a, 1, a, ~]", "ignore_patterns:\n- a\n- '1'\n- a\n- '~'\n"},
      {"storage_readers: ~", "storage_readers: null\n"},
      {"storage_readers:", "storage_readers: null\n"},
      {"storage_readers: []", "storage_readers: []\n"},
      {"storage_writers: [s, s]", "storage_writers:\n- s\n- s\n"},
      {"scanners:", "scanners: null\n"},
      {"scanners: {}", "scanners: {}\n"},
      {"scanners:\n  ScanCode:", "scanners:\n  ScanCode: null\n"},
      {"scanners:\n  ScanCode: .inf", "scanners:\n  ScanCode: null\n"},
      {"scanners:\n  ScanCode: {timeout: 300, b: {1: x, true: .NaN, false: -.nan}, a: [0x10, 007, 1e3]}",
       "scanners:\n  ScanCode:\n    a:\n    - 16\n    - '007'\n    - 1000.0\n    b:\n      '1': x\n      'false': -.nan\n      'true': null\n"
       "    timeout: 300\n"},
      {"scanners:\n  FossId: !<.FossIdConfiguration> {user: u}", "scanners:\n  FossId:\n    user: u\n"},
      {"storages:", "storages: null\n"},
      {"storages: {}", "storages: {}\n"},
      {"storages:\n  local:", "storages:\n  local: {}\n"},
      {"storages:\n  local: {type: t, path: p, compression: false}",
       "storages:\n  local:\n    compression: false\n    path: p\n    type: t\n"},
      {"storages:\n  s: {v: 1}\n  s: {v: 2}", "storages:\n  s:\n    v: 2\n"},
      {"archive:", "archive: null\n"},
      {"archive: {}", "archive:\n  enabled: true\n  file_storage: null\n  postgres_storage: null\n"},
      {"file_list_storage: {}", "file_list_storage:\n  file_storage: null\n  postgres_storage: null\n"},
      {"provenance_storage: {}", "provenance_storage:\n  file_storage: null\n  postgres_storage: null\n"},
  };
  const std::string defaults = yaml_or_error<ScannerConfiguration>("");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.yaml);
    const std::string written = yaml_or_error<ScannerConfiguration>(c.yaml);
    // The defaults' text with the one line of the case's field replaced.
    const std::string field = c.field;
    std::string expected = "\n" + defaults;
    const size_t at = expected.find("\n" + field.substr(0, field.find(':') + 1)) + 1;
    expected.replace(at, expected.find('\n', at) + 1 - at, field);
    EXPECT_EQ(written, expected.substr(1));
    EXPECT_EQ(yaml_or_error<ScannerConfiguration>(written), written);
  }
}

TEST(ScannerConfiguration, ReadingErrors) {
  struct Case {
    const char* yaml;
    std::string error;
  };
  const Case cases[] = {
      {"[]", "invalid type: sequence, expected struct ScannerConfiguration"},
      {"~", "invalid type: unit value, expected struct ScannerConfiguration"},
      {"skip_concluded: ~", "skip_concluded: invalid type: unit value, expected a boolean at line 1 column 17"},
      {"skip_concluded:", "skip_concluded: invalid type: unit value, expected a boolean at line 1 column 16"},
      {"skip_excluded: yes", "skip_excluded: invalid type: string \"yes\", expected a boolean at line 1 column 16"},
      {"detected_license_mapping: ~",
       "detected_license_mapping: invalid type: unit value, expected a map at line 1 column 27"},
      {"detected_license_mapping: {a: [b]}",
       "detected_license_mapping.a: invalid type: sequence, expected a string at line 1 column 31"},
      {"ignore_patterns: ~", "ignore_patterns: invalid type: unit value, expected a sequence at line 1 column 18"},
      {"ignore_patterns: [[a]]", "ignore_patterns[0]: invalid type: sequence, expected a string at line 1 column 19"},
      {"storage_writers: {}", "storage_writers: invalid type: map, expected a sequence at line 1 column 18"},
      {"scanners: [x]", "scanners: invalid type: sequence, expected a map at line 1 column 11"},
      {"scanners:\n  ScanCode: !x 1",
       "scanners.ScanCode: invalid type: enum, expected any valid JSON value at line 2 column 13"},
      {"storages: x", "storages: invalid type: string \"x\", expected a map at line 1 column 11"},
      {"storages:\n  local: ~",
       "storages.local: invalid type: unit value, expected struct ScanStorageConfiguration at line 2 column 10"},
      {"storages:\n  local: [a]",
       "storages.local: invalid type: sequence, expected struct ScanStorageConfiguration at line 2 column 10"},
      {"storages:\n  [local]: {}", "storages: invalid type: sequence, expected a string at line 2 column 3"},
      {"storages:\n  local:\n    b: {1: x}",
       "storages.local: invalid type: integer `1`, expected a string key at line 3 column 5"},
      {"storages:\n  local:\n    b: {x: 1, true: x}",
       "storages.local: invalid type: boolean `true`, expected a string at line 3 column 5"},
      {"timeout: 5", std::string("unknown field `timeout`, expected ") + kKeys},
      {"<<: {}", std::string("unknown field `<<`, expected ") + kKeys},
      {"archive: ~\narchive: {}", "duplicate field `archive`"},
      {"file_list_storage: [x]",
       "file_list_storage: invalid type: sequence, expected struct FileListStorageConfiguration at line 1 column 20"},
      {"provenance_storage: [x]",
       "provenance_storage: invalid type: sequence, expected struct ProvenanceStorageConfiguration at line 1 "
       "column 21"},
      {"provenance_storage: {storage: x}",
       "provenance_storage: unknown field `storage`, expected `file_storage` or `postgres_storage` at line 1 column 22"},
      {"archive:\n  file_storage:\n    http_file_storage: {}",
       "archive.file_storage.http_file_storage: missing field `url` at line 3 column 24"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.yaml);
    EXPECT_EQ(yaml_or_error<ScannerConfiguration>(c.yaml), c.error);
  }
}

}  // namespace
}  // namespace dorvek::ort
