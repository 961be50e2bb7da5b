#include <gtest/gtest.h>

#include <algorithm>

#include "models/ort/package_manager_configuration.hpp"
#include "test_support.hpp"

namespace dorvek::ort {
namespace {

using test::error_of;
using test::read_yaml;

struct Holder {
  std::optional<std::string> start_lines;
  std::optional<HashMap<std::string, PackageManagerConfiguration>> managers;
  static constexpr const char* type_name = "Holder";
  static constexpr auto fields() {
    using T = Holder;
    return std::tuple{optional<OptionalStringFromScalar>("start_lines", &T::start_lines),
                      optional("managers", &T::managers)};
  }
};

TEST(Coerce, StartLines) {
  struct Case {
    const char* yaml;
    const char* result;  // the text, "-" for none, or the error
  };
  const Case cases[] = {
      {"start_lines: 12", "12"},          {"start_lines: '1-5, 8'", "1-5, 8"},
      {"start_lines: ''", "-"},           {"start_lines: ~", "-"},
      {"start_lines:", "-"},              {"start_lines: 010", "010"},
      {"start_lines: 0x10", "16"},        {"start_lines: +5", "5"},
      {"start_lines: 1e3", "1000.0"},     {"start_lines: 2.50", "2.5"},
      {"start_lines: true", "true"},      {"start_lines: !!null x", "invalid value: string \"x\", expected null"},
      {"start_lines: [1, 2]", "expected a string or an integer scalar"},
      {"start_lines: !x 5", "expected a string or an integer scalar"},
      {"managers: {}\nstart_lines: {a: 1}", "expected a string or an integer scalar"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.yaml);
    std::string got = error_of<Holder>(c.yaml);
    if (got == "ok") got = read_yaml<Holder>(c.yaml).start_lines.value_or("-");
    EXPECT_EQ(got, c.result);
  }
}

// The manager `m` as "must_run_after|sorted options", or the error.
std::string manager_of(const char* yaml) {
  std::string got = error_of<Holder>(yaml);
  if (got != "ok") return got;
  PackageManagerConfiguration p = read_yaml<Holder>(yaml).managers->at("m");
  std::string out;
  if (!p.must_run_after) out += "-";
  for (const std::string& s : p.must_run_after.value_or(std::vector<std::string>{})) out += s + ",";
  out += "|";
  if (!p.options) return out + "-";
  std::vector<std::string> entries;
  for (const auto& [k, v] : *p.options) entries.push_back(k + "=" + v);
  std::sort(entries.begin(), entries.end());
  for (const std::string& e : entries) out += e + ";";
  return out;
}

TEST(Coerce, PackageManagerOptions) {
  struct Case {
    const char* yaml;
    const char* result;
  };
  const Case cases[] = {
      {"managers:\n  m: {options: {a: 1, b: true, c: x, d: ''}}", "-|a=1;b=true;c=x;d=;"},
      {"managers:\n  m: {options: {a: '~', a: 0x1F}}", "-|a=31;"},
      {"managers:\n  m: {options: {a: [1], a: 2}}", "-|a=2;"},
      {"managers:\n  m: {options: {}}", "-|"},
      {"managers:\n  m: {options: null}", "-|-"},
      {"managers:\n  m:", "-|-"},
      {"managers:\n  m: {must_run_after: [Gradle, 12]}", "Gradle,12,|-"},
      {"managers:\n  m: {must_run_after: []}", "|-"},
      {"managers:\n  m: {options: {a: [1]}}", "managers.m: option 'a' is not a scalar at line 2 column 6"},
      {"managers:\n  m: {options: {a: {b: 1}}}", "managers.m: option 'a' is not a scalar at line 2 column 6"},
      {"managers:\n  m: {options: {a: ~}}", "managers.m: option 'a' is not a scalar at line 2 column 6"},
      // The first offending key in document order; a repeated key keeps its first place.
      {"managers:\n  m: {options: {z: [], a: [], z: 1, y: {}}}",
       "managers.m: option 'a' is not a scalar at line 2 column 6"},
      {"managers:\n  m: {options: {z: [], a: [], z: {}}}", "managers.m: option 'z' is not a scalar at line 2 column 6"},
      {"managers:\n  m: {options: x}", "managers.m.options: invalid type: string \"x\", expected a map at line 2 column 16"},
      {"managers:\n  m: {option: x}",
       "managers.m: unknown field `option`, expected `must_run_after` or `options` at line 2 column 7"},
      {"managers:\n  m: {options: {}, options: {}}", "managers.m: duplicate field `options` at line 2 column 6"},
      {"managers:\n  m: []", "managers.m: invalid type: sequence, expected struct PackageManagerConfiguration at line 2 column 6"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.yaml);
    EXPECT_EQ(manager_of(c.yaml), c.result);
  }
}

TEST(Coerce, WritesAbsentAndEmptyApart) {
  test::RecordingWriter w;
  write(w, read_yaml<Holder>("managers: {m: {options: {}}}").managers->at("m"));
  const std::vector<std::string> expected = {
      "struct PackageManagerConfiguration 2", "field must_run_after : -", "  none", "field options : -",
      "  some -", "  map 0", "  end", "end",
  };
  EXPECT_EQ(w.lines, expected);
}

}  // namespace
}  // namespace dorvek::ort
