// The file list and provenance storages: one shape under two names.
#include <gtest/gtest.h>

#include "models/ort/file_list_storage_configuration.hpp"
#include "models/ort/provenance_storage_configuration.hpp"
#include "written_text.hpp"

namespace dorvek::ort {
namespace {

using test::json_or_error;
using test::yaml_or_error;

TEST(StorageBackendsConfiguration, SameTextUnderBothNames) {
  struct Case {
    const char* yaml;
    const char* written;
  };
  const Case cases[] = {
      {"", "file_storage: null\npostgres_storage: null\n"},
      {"{}", "file_storage: null\npostgres_storage: null\n"},
      {"file_storage:\npostgres_storage: null", "file_storage: null\npostgres_storage: null\n"},
      {"file_storage: {}",
       "file_storage:\n  http_file_storage: null\n  local_file_storage: null\n  s3_file_storage: null\n"
       "postgres_storage: null\n"},
      {"postgres_storage: {connection: {url: u, username: n, password: p}, type: 2}\n"
       "file_storage: {s3_file_storage: {bucket_name: b}}",
       "file_storage:\n  http_file_storage: null\n  local_file_storage: null\n  s3_file_storage:\n"
       "    access_key_id: null\n    aws_region: null\n    bucket_name: b\n    compression: false\n"
       "    custom_endpoint: null\n    path_style_access: false\n    secret_access_key: null\n"
       "postgres_storage:\n  connection:\n    url: u\n    schema: public\n    username: n\n    password: p\n"
       "    sslmode: verify-full\n    sslcert: null\n    sslkey: null\n    sslrootcert: null\n"
       "    connection_timeout: null\n    idle_timeout: null\n    keepalive_time: null\n    max_lifetime: null\n"
       "    maximum_pool_size: null\n    minimum_idle: null\n  type: PROVENANCE_BASED\n"},
      {"storage: x", "unknown field `storage`, expected `file_storage` or `postgres_storage`"},
      {"file_storage: {}\nfile_storage: {}", "duplicate field `file_storage`"},
      {"file_storage: ~\nfile_storage: {}", "duplicate field `file_storage`"},
      {"postgres_storage: {type: 1}", "postgres_storage: missing field `connection` at line 1 column 19"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.yaml);
    EXPECT_EQ(yaml_or_error<FileListStorageConfiguration>(c.yaml), c.written);
    EXPECT_EQ(yaml_or_error<ProvenanceStorageConfiguration>(c.yaml), c.written);
    EXPECT_EQ(json_or_error<FileListStorageConfiguration>(c.yaml), json_or_error<ProvenanceStorageConfiguration>(c.yaml));
  }
}

TEST(StorageBackendsConfiguration, NamesDiffer) {
  EXPECT_EQ(yaml_or_error<FileListStorageConfiguration>("[]"),
            "invalid type: sequence, expected struct FileListStorageConfiguration");
  EXPECT_EQ(yaml_or_error<ProvenanceStorageConfiguration>("[]"),
            "invalid type: sequence, expected struct ProvenanceStorageConfiguration");
  test::RecordingWriter w;
  write(w, ProvenanceStorageConfiguration{});
  EXPECT_EQ(w.lines.front(), "struct ProvenanceStorageConfiguration 2");
}

}  // namespace
}  // namespace dorvek::ort
