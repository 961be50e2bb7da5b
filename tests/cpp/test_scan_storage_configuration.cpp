#include <gtest/gtest.h>

#include "models/ort/scan_storage_configuration.hpp"
#include "test_support.hpp"

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
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.yaml);
    EXPECT_EQ(written(c.yaml), c.result);
  }
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
