#include <gtest/gtest.h>

#include "models/ort/file_storage_configuration.hpp"
#include "written_text.hpp"

namespace dorvek::ort {
namespace {

using test::json_or_error;
using test::yaml_or_error;

TEST(FileStorageConfiguration, DefaultsAndWrittenForm) {
  struct Case {
    const char* yaml;
    const char* written;
  };
  const Case cases[] = {
      {"", "http_file_storage: null\nlocal_file_storage: null\ns3_file_storage: null\n"},
      {"{}", "http_file_storage: null\nlocal_file_storage: null\ns3_file_storage: null\n"},
      {"http_file_storage:\nlocal_file_storage: ~\ns3_file_storage: null",
       "http_file_storage: null\nlocal_file_storage: null\ns3_file_storage: null\n"},
      // Compression is on by default locally, off in S3.
      {"s3_file_storage: {bucket_name: b}\nlocal_file_storage: {directory: d}",
       "http_file_storage: null\n"
       "local_file_storage:\n  directory: d\n  compression: true\n"
       "s3_file_storage:\n  access_key_id: null\n  aws_region: null\n  bucket_name: b\n  compression: false\n"
       "  custom_endpoint: null\n  path_style_access: false\n  secret_access_key: null\n"},
      {"http_file_storage: {url: u}", "http_file_storage:\n  url: u\n  query: ''\n  headers: {}\n"
                                      "local_file_storage: null\ns3_file_storage: null\n"},
      {"http_file_storage:\n  url: 123\n  query:\n  headers: {h: 1, h: 2}",
       "http_file_storage:\n  url: '123'\n  query: ''\n  headers:\n    h: '2'\n"
       "local_file_storage: null\ns3_file_storage: null\n"},
      {"http_file_storage:\n  url: ~\n  headers:",
       "http_file_storage:\n  url: '~'\n  query: ''\n  headers: {}\nlocal_file_storage: null\ns3_file_storage: null\n"},
      {"local_file_storage: {compression: false, directory: d}",
       "http_file_storage: null\nlocal_file_storage:\n  directory: d\n  compression: false\ns3_file_storage: null\n"},
      {"s3_file_storage: {aws_region: '', access_key_id: k, secret_access_key: s, custom_endpoint: ,\n"
       "  compression: true, path_style_access: True, bucket_name: b}",
       "http_file_storage: null\nlocal_file_storage: null\n"
       "s3_file_storage:\n  access_key_id: k\n  aws_region: ''\n  bucket_name: b\n  compression: true\n"
       "  custom_endpoint: null\n  path_style_access: true\n  secret_access_key: s\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.yaml);
    std::string written = yaml_or_error<FileStorageConfiguration>(c.yaml);
    EXPECT_EQ(written, c.written);
    EXPECT_EQ(yaml_or_error<FileStorageConfiguration>(written), c.written);
  }
  EXPECT_EQ(json_or_error<FileStorageConfiguration>("local_file_storage: {directory: d}"),
            "{\n"
            "  \"http_file_storage\": null,\n"
            "  \"local_file_storage\": {\n"
            "    \"directory\": \"d\",\n"
            "    \"compression\": true\n"
            "  },\n"
            "  \"s3_file_storage\": null\n"
            "}");
}

TEST(FileStorageConfiguration, ReadingErrors) {
  struct Case {
    const char* yaml;
    const char* error;
  };
  const Case cases[] = {
      {"~", "invalid type: unit value, expected struct FileStorageConfiguration"},
      {"[]", "invalid type: sequence, expected struct FileStorageConfiguration"},
      {"http_file_storage: {}", "http_file_storage: missing field `url` at line 1 column 20"},
      {"http_file_storage: !!map", "http_file_storage: missing field `url` at line 1 column 20"},
      // A null tag on a text that is no null form; the error sits at the holding record.
      {"http_file_storage: !!null", "invalid value: string \"\", expected null"},
      {"s3_file_storage:\n  bucket_name: b\n  aws_region: !!null x",
       "s3_file_storage: invalid value: string \"x\", expected null at line 2 column 3"},
      // Quoted, it reaches the record reader, which names what the tag makes of it.
      {"http_file_storage: !!null ''",
       "http_file_storage: invalid value: string \"\", expected null at line 1 column 20"},
      {"http_file_storage: ''",
       "http_file_storage: invalid type: string \"\", expected struct HttpFileStorageConfiguration at line 1 "
       "column 20"},
      {"local_file_storage: {compression: true}", "local_file_storage: missing field `directory` at line 1 column 21"},
      {"s3_file_storage: {}", "s3_file_storage: missing field `bucket_name` at line 1 column 18"},
      {"local_file_storage: {directory: d, compression: }",
       "local_file_storage.compression: invalid type: unit value, expected a boolean at line 1 column 49"},
      {"local_file_storage: {directory: d, compression: null}",
       "local_file_storage.compression: invalid type: unit value, expected a boolean at line 1 column 49"},
      {"local_file_storage: {directory: d, compression: 'true'}",
       "local_file_storage.compression: invalid type: string \"true\", expected a boolean at line 1 column 49"},
      {"http_file_storage: {url: [u]}",
       "http_file_storage.url: invalid type: sequence, expected a string at line 1 column 26"},
      {"http_file_storage: {url: u, headers: ~}",
       "http_file_storage.headers: invalid type: unit value, expected a map at line 1 column 38"},
      {"http_file_storage: {url: u, headers: [h]}",
       "http_file_storage.headers: invalid type: sequence, expected a map at line 1 column 38"},
      {"s3_file_storage: {bucket_name: b, region: r}",
       "s3_file_storage: unknown field `region`, expected one of `access_key_id`, `aws_region`, `bucket_name`, "
       "`compression`, `custom_endpoint`, `path_style_access`, `secret_access_key` at line 1 column 35"},
      {"s3_file_storage: {BUCKET_NAME: b}",
       "s3_file_storage: unknown field `BUCKET_NAME`, expected one of `access_key_id`, `aws_region`, "
       "`bucket_name`, `compression`, `custom_endpoint`, `path_style_access`, `secret_access_key` at line 1 "
       "column 19"},
      {"local_file_storage: {directory: d, dir: e}",
       "local_file_storage: unknown field `dir`, expected `directory` or `compression` at line 1 column 36"},
      {"http_file_storage: {url: u, headers: {}, x: 1}",
       "http_file_storage: unknown field `x`, expected one of `url`, `query`, `headers` at line 1 column 42"},
      {"local: {}",
       "unknown field `local`, expected one of `http_file_storage`, `local_file_storage`, `s3_file_storage`"},
      {"s3_file_storage:\n  aws_region:\n  aws_region: r", "s3_file_storage: duplicate field `aws_region` at line 2 column 3"},
      {"local_file_storage:\nlocal_file_storage:", "duplicate field `local_file_storage`"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.yaml);
    EXPECT_EQ(yaml_or_error<FileStorageConfiguration>(c.yaml), c.error);
  }
}

}  // namespace
}  // namespace dorvek::ort
