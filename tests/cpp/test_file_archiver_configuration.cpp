#include <gtest/gtest.h>

#include "models/ort/file_archiver_configuration.hpp"
#include "written_text.hpp"

namespace dorvek::ort {
namespace {

using test::yaml_or_error;

constexpr const char* kNoStores = "file_storage: null\npostgres_storage: null\n";

TEST(FileArchiverConfiguration, EnabledByDefault) {
  struct Case {
    const char* yaml;
    std::string written;
  };
  const Case cases[] = {
      {"", std::string("enabled: true\n") + kNoStores},
      {"{}", std::string("enabled: true\n") + kNoStores},
      {"file_storage:\npostgres_storage: ~", std::string("enabled: true\n") + kNoStores},
      {"enabled: false\nfile_storage: {}",
       "enabled: false\nfile_storage:\n  http_file_storage: null\n  local_file_storage: null\n"
       "  s3_file_storage: null\npostgres_storage: null\n"},
      {"postgres_storage: {connection: {url: u, username: n}, type: PACKAGE_BASED}\n"
       "file_storage: {local_file_storage: {directory: d}}",
       "enabled: true\nfile_storage:\n  http_file_storage: null\n  local_file_storage:\n    directory: d\n"
       "    compression: true\n  s3_file_storage: null\npostgres_storage:\n  connection:\n    url: u\n"
       "    schema: public\n    username: n\n    password: ''\n    sslmode: verify-full\n    sslcert: null\n"
       "    sslkey: null\n    sslrootcert: null\n    connection_timeout: null\n    idle_timeout: null\n"
       "    keepalive_time: null\n    max_lifetime: null\n    maximum_pool_size: null\n    minimum_idle: null\n"
       "  type: PACKAGE_BASED\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.yaml);
    std::string written = yaml_or_error<FileArchiverConfiguration>(c.yaml);
    EXPECT_EQ(written, c.written);
    EXPECT_EQ(yaml_or_error<FileArchiverConfiguration>(written), c.written);
  }
}

TEST(FileArchiverConfiguration, ReadingErrors) {
  struct Case {
    const char* yaml;
    const char* error;
  };
  const Case cases[] = {
      {"~", "invalid type: unit value, expected struct FileArchiverConfiguration"},
      {"enabled:", "enabled: invalid type: unit value, expected a boolean at line 1 column 9"},
      {"enabled: null", "enabled: invalid type: unit value, expected a boolean at line 1 column 10"},
      {"enabled: yes", "enabled: invalid type: string \"yes\", expected a boolean at line 1 column 10"},
      {"enabled: 'false'", "enabled: invalid type: string \"false\", expected a boolean at line 1 column 10"},
      {"archive_dir: d",
       "unknown field `archive_dir`, expected one of `enabled`, `file_storage`, `postgres_storage`"},
      {"enabled: true\nenabled: true", "duplicate field `enabled`"},
      {"postgres_storage: !!str", "postgres_storage: missing field `connection` at line 1 column 19"},
      {"postgres_storage: !!null ''",
       "postgres_storage: invalid value: string \"\", expected null at line 1 column 19"},
      {"file_storage:\n  http_file_storage: {query: q}",
       "file_storage.http_file_storage: missing field `url` at line 2 column 22"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.yaml);
    EXPECT_EQ(yaml_or_error<FileArchiverConfiguration>(c.yaml), c.error);
  }
}

}  // namespace
}  // namespace dorvek::ort
