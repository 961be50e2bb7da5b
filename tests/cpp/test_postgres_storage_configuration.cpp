#include <gtest/gtest.h>

#include "models/ort/file_list_storage_configuration.hpp"
#include "models/ort/scan_storage_configuration.hpp"
#include "written_text.hpp"

namespace dorvek::ort {
namespace {

using test::yaml_or_error;

constexpr const char* kDefaults =
    "connection:\n"
    "  url: u\n"
    "  schema: public\n"
    "  username: n\n"
    "  password: ''\n"
    "  sslmode: verify-full\n"
    "  sslcert: null\n"
    "  sslkey: null\n"
    "  sslrootcert: null\n"
    "  connection_timeout: null\n"
    "  idle_timeout: null\n"
    "  keepalive_time: null\n"
    "  max_lifetime: null\n"
    "  maximum_pool_size: null\n"
    "  minimum_idle: null\n"
    "type: PROVENANCE_BASED\n";

TEST(PostgresStorageConfiguration, DefaultsAndEveryFieldWritten) {
  EXPECT_EQ(yaml_or_error<PostgresStorageConfiguration>("connection: {url: u, username: n}"), kDefaults);
  EXPECT_EQ(yaml_or_error<PostgresStorageConfiguration>(kDefaults), kDefaults);
  EXPECT_EQ(yaml_or_error<PostgresStorageConfiguration>(
                "type: 1\nconnection: {minimum_idle: -5, username: n, url: u, password: p, sslmode: any,\n"
                "  sslcert: c, sslkey: k, sslrootcert: r, schema: s, connection_timeout: 30, idle_timeout: 0,\n"
                "  keepalive_time: 0x10, max_lifetime: 9223372036854775807, maximum_pool_size: ~}"),
            "connection:\n"
            "  url: u\n"
            "  schema: s\n"
            "  username: n\n"
            "  password: p\n"
            "  sslmode: any\n"
            "  sslcert: c\n"
            "  sslkey: k\n"
            "  sslrootcert: r\n"
            "  connection_timeout: 30\n"
            "  idle_timeout: 0\n"
            "  keepalive_time: 16\n"
            "  max_lifetime: 9223372036854775807\n"
            "  maximum_pool_size: null\n"
            "  minimum_idle: -5\n"
            "type: PACKAGE_BASED\n");
}

// Texts take any scalar as written; optional texts take the null forms as none.
TEST(PostgresConnection, TextsAsWritten) {
  struct Case {
    const char* fields;
    const char* connection;  // the written fields from `schema` to `sslcert`
  };
  const Case cases[] = {
      {"schema:\npassword:\nsslmode:", "schema: ''\nusername: n\npassword: ''\nsslmode: ''\nsslcert: null"},
      {"schema: null\npassword: 123\nsslmode: ~\nsslcert: 'null'",
       "schema: 'null'\nusername: n\npassword: '123'\nsslmode: '~'\nsslcert: 'null'"},
      {"sslcert: null", "schema: public\nusername: n\npassword: ''\nsslmode: verify-full\nsslcert: null"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.fields);
    std::string yaml = "url: u\nusername: n\n" + std::string(c.fields);
    std::string got = yaml_or_error<PostgresConnection>(yaml);
    size_t from = got.find("schema:"), to = got.find("\nsslkey:");
    ASSERT_NE(to, std::string::npos) << got;
    EXPECT_EQ(got.substr(from, to - from), c.connection);
  }
}

TEST(PostgresStorageConfiguration, ReadingErrors) {
  struct Case {
    const char* yaml;
    const char* error;
  };
  const Case cases[] = {
      {"", "missing field `connection`"},
      {"!!str", "missing field `connection`"},
      {"~", "invalid type: unit value, expected struct PostgresStorageConfiguration"},
      {"[]", "invalid type: sequence, expected struct PostgresStorageConfiguration"},
      {"type: 1", "missing field `connection`"},
      {"connection:", "connection: missing field `url` at line 1 column 12"},
      {"connection: {url: u}", "connection: missing field `username` at line 1 column 13"},
      {"connection: {username: n}", "connection: missing field `url` at line 1 column 13"},
      {"connection: ~", "connection: invalid type: unit value, expected struct PostgresConnection at line 1 column 13"},
      {"host: h", "unknown field `host`, expected `connection` or `type`"},
      {"type: 1\ntype: 2", "duplicate field `type`"},
      {"connection: {url: u, username: n, host: h}",
       "connection: unknown field `host`, expected one of `url`, `schema`, `username`, `password`, `sslmode`, "
       "`sslcert`, `sslkey`, `sslrootcert`, `connection_timeout`, `idle_timeout`, `keepalive_time`, "
       "`max_lifetime`, `maximum_pool_size`, `minimum_idle` at line 1 column 35"},
      {"connection: {URL: u}",
       "connection: unknown field `URL`, expected one of `url`, `schema`, `username`, `password`, `sslmode`, "
       "`sslcert`, `sslkey`, `sslrootcert`, `connection_timeout`, `idle_timeout`, `keepalive_time`, "
       "`max_lifetime`, `maximum_pool_size`, `minimum_idle` at line 1 column 14"},
      {"connection:\n  sslcert: ~\n  sslcert: c", "connection: duplicate field `sslcert` at line 2 column 3"},
      {"connection:\n  url: [u]", "connection.url: invalid type: sequence, expected a string at line 2 column 8"},
      {"connection:\n  connection_timeout: '30'",
       "connection.connection_timeout: invalid type: string \"30\", expected i64 at line 2 column 23"},
      {"connection:\n  idle_timeout: 1.5",
       "connection.idle_timeout: invalid type: floating point `1.5`, expected i64 at line 2 column 17"},
      {"connection:\n  sslkey: !!null x",
       "connection: invalid value: string \"x\", expected null at line 2 column 3"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.yaml);
    EXPECT_EQ(yaml_or_error<PostgresStorageConfiguration>(c.yaml), c.error);
  }
}

// The storage type by name or code; its error sits at the record's mapping.
TEST(StorageType, NameOrCode) {
  struct Case {
    const char* type;
    const char* result;
  };
  const Case cases[] = {
      {"1", "PACKAGE_BASED"},
      {"2", "PROVENANCE_BASED"},
      {"'PACKAGE_BASED'", "PACKAGE_BASED"},
      {"package_based", "invalid StorageType value: package_based"},
      {"'1'", "invalid StorageType value: 1"},
      {"0", "invalid StorageType value: 0"},
      {"3", "invalid StorageType value: 3"},
      {"-1", "invalid StorageType value: -1"},
      {"1.5", "invalid StorageType value: 1.5"},
      {"~", "invalid StorageType value: Null"},
      {"", "invalid StorageType value: Null"},
      {"[x]", "invalid StorageType value: Sequence [String(\"x\")]"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.type);
    std::string yaml = "postgres_storage:\n  connection: {url: u, username: n}\n  type: " + std::string(c.type);
    std::string got = yaml_or_error<FileListStorageConfiguration>(yaml);
    size_t at = got.find("type: ");
    if (at != std::string::npos && got.starts_with("file_storage")) {
      got = got.substr(at + 6, got.find('\n', at) - at - 6);
    }
    const bool fails = std::string(c.result).starts_with("invalid");
    EXPECT_EQ(got, fails ? "postgres_storage: " + std::string(c.result) + " at line 2 column 3" : c.result);
  }
}

}  // namespace
}  // namespace dorvek::ort
