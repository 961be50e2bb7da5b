#include <gtest/gtest.h>

#include "models/ort/scan_storage_configuration.hpp"
#include "written_text.hpp"

namespace dorvek::ort {
namespace {

using test::error_of;
using test::read_yaml;

// The written entries, one "key=value-lines" per entry, or the error.
std::string written(const char* yaml) {
  std::string err = error_of<ScanStorageConfiguration>(yaml);
  if (err != "ok") return err;
  test::RecordingWriter w;
  write(w, read_yaml<ScanStorageConfiguration>(yaml));
  std::string out;
  for (const std::string& l : w.lines) out += (out.empty() ? "" : ";") + l.substr(l.find_first_not_of(' '));
  return out;
}

TEST(ScanStorageConfiguration, FlattensIntoSortedObject) {
  struct Case {
    const char* yaml;
    const char* result;
  };
  const Case cases[] = {
      {"b: 1\na: x", "map -;key : -;str a;value : -;str x;key : -;str b;value : -;u64 1;end"},
      {"k: 1\nk: 2", "map -;key : -;str k;value : -;u64 2;end"},
      {"1: .inf\n~: [-1]", "map -;key : -;str 1;value : -;unit;key : -;str ~;value : -;seq 1;element : -;i64 -1;end;end"},
      {"", "map -;end"},
      {"{}", "map -;end"},
      {"x", "invalid type: string \"x\", expected struct ScanStorageConfiguration"},
      {"a: {1: x}", "invalid type: integer `1`, expected a string key"},
      {"a: !t x", "a: untagged and internally tagged enums do not support enum input at line 1 column 4"},
      {"[k]: 1", "invalid type: sequence, expected field identifier"},
      // Tags: none is looked at on the entry's own mapping; inside it, a local
      // tag fails, and a tag of another form types a scalar as text.
      {"!<.PostgresStorageConfiguration>\nk: 1", "map -;key : -;str k;value : -;u64 1;end"},
      {"!x {k: 1}", "map -;key : -;str k;value : -;u64 1;end"},
      {"!x", "map -;end"},
      {"k: !<.Verbatim> 1", "map -;key : -;str k;value : -;str 1;end"},
      {"k: !<.Verbatim> [1]", "map -;key : -;str k;value : -;seq 1;element : -;u64 1;end;end"},
      {"k: !<tag:yaml.org,2002:int> 1", "map -;key : -;str k;value : -;u64 1;end"},
      {"k: !<!x> 1", "k: untagged and internally tagged enums do not support enum input at line 1 column 4"},
      {"k: {a: !x [1]}", "k.a: untagged and internally tagged enums do not support enum input at line 1 column 8"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.yaml);
    EXPECT_EQ(written(c.yaml), c.result);
  }
}

// Storage entries as ORT writes them: each tagged verbatim with the class it
// was made from. The tags are dropped; the entries stay free-form objects.
TEST(ScanStorageConfiguration, VerbatimTaggedEntries) {
  const char* yaml = R"(postgresStorage: !<.PostgresStorageConfiguration>
  connection:
    url: "jdbc:postgresql://localhost:5432/ort"
    schema: "scan_storage"
    sslcert: null
fileBasedStorage: !<.FileBasedStorageConfiguration>
  backend:
    local_file_storage:
      directory: "/home/u/.ort/scanner/scan-results"
      compression: true
  type: "PROVENANCE_BASED"
)";
  auto storages = read_yaml<HashMap<std::string, ScanStorageConfiguration>>(yaml);
  ASSERT_EQ(storages.size(), 2u);
  EXPECT_EQ(to_json_string(storages.find("postgresStorage")->second),
            "{\n"
            "  \"connection\": {\n"
            "    \"schema\": \"scan_storage\",\n"
            "    \"sslcert\": null,\n"
            "    \"url\": \"jdbc:postgresql://localhost:5432/ort\"\n"
            "  }\n"
            "}");
  EXPECT_EQ(to_yaml_string(storages.find("fileBasedStorage")->second),
            "backend:\n"
            "  local_file_storage:\n"
            "    compression: true\n"
            "    directory: /home/u/.ort/scanner/scan-results\n"
            "type: PROVENANCE_BASED\n");
}

TEST(ScanStorageConfiguration, OnlyAnObjectCanBeWrittenAsMap) {
  ScanStorageConfiguration s;
  s.value = JsonValue(JsonValue::Data{std::string("x")});
  test::RecordingWriter w;
  try {
    write(w, s);
    ADD_FAILURE() << "written";
  } catch (const YamlError& e) {
    EXPECT_EQ(e.text(), "can only flatten structs and maps (got a string)");
  }
}

}  // namespace
}  // namespace dorvek::ort
