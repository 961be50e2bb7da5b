#include <gtest/gtest.h>

#include "models/buffered.hpp"
#include "models/flatten.hpp"
#include "test_support.hpp"

namespace dorvek {
namespace {

std::string show(const std::string& v) { return v; }
std::string show(uint64_t v) { return std::to_string(v); }
std::string show(const HashMap<std::string, std::string>& m) {
  std::map<std::string, std::string> sorted(m.begin(), m.end());
  std::string s;
  for (const auto& [k, v] : sorted) s += k + "=" + v + ";";
  return s;
}

std::string show(const JsonValue& v) {
  test::RecordingWriter w;
  v.serialize(w);
  std::string s;
  for (const std::string& l : w.lines) s += (s.empty() ? "" : ";") + l.substr(l.find_first_not_of(' '));
  return s;
}

// Buffers the whole document, then reads it as `T` from the buffer.
template <class T>
std::string buffered_as(std::string_view yaml) {
  try {
    return read_document<std::string>(yaml, [](Reader& r) {
      BufferedNode n = buffer_node(r);
      if constexpr (std::is_same_v<T, uint32_t>) {
        return show(uint64_t{read_buffered<T>(n)});
      } else {
        return show(read_buffered<T>(n));
      }
    });
  } catch (const YamlError& e) {
    return "error: " + e.text();
  }
}

TEST(Buffered, ScalarTypings) {
  using Text = std::string;
  using TextMap = HashMap<std::string, std::string>;
  struct Case {
    std::string (*read)(std::string_view);
    const char* yaml;
    const char* want;
  } cases[] = {
      {buffered_as<Text>, "x", "x"},
      {buffered_as<Text>, "2024-01-01T10:00:00Z", "2024-01-01T10:00:00Z"},
      {buffered_as<Text>, "'5'", "5"},
      {buffered_as<Text>, "!!str 5", "5"},
      {buffered_as<Text>, "012", "012"},
      {buffered_as<Text>, "2024", "error: invalid type: integer `2024`, expected a string"},
      {buffered_as<Text>, "-3", "error: invalid type: integer `-3`, expected a string"},
      {buffered_as<Text>, "~", "error: invalid type: unit value, expected a string"},
      {buffered_as<Text>, "", "error: invalid type: Option value, expected a string"},
      {buffered_as<Text>, "True", "error: invalid type: boolean `true`, expected a string"},
      {buffered_as<Text>, "1e3", "error: invalid type: floating point `1000.0`, expected a string"},
      {buffered_as<Text>, "-.inf", "error: invalid type: floating point `-inf`, expected a string"},
      {buffered_as<Text>, "[a]", "error: invalid type: sequence, expected a string"},
      {buffered_as<Text>, "{a: b}", "error: invalid type: map, expected a string"},
      {buffered_as<uint32_t>, "8", "8"},
      {buffered_as<uint32_t>, "0x10", "16"},
      {buffered_as<uint32_t>, "4294967295", "4294967295"},
      {buffered_as<uint32_t>, "4294967296", "error: invalid value: integer `4294967296`, expected u32"},
      {buffered_as<uint32_t>, "-1", "error: invalid value: integer `-1`, expected u32"},
      {buffered_as<uint32_t>, "'8'", "error: invalid type: string \"8\", expected u32"},
      {buffered_as<uint32_t>, "8.0", "error: invalid type: floating point `8.0`, expected u32"},
      {buffered_as<uint64_t>, "18446744073709551615", "18446744073709551615"},
      {buffered_as<uint64_t>, "-9223372036854775808",
       "error: invalid value: integer `-9223372036854775808`, expected u64"},
      {buffered_as<uint64_t>, "~", "error: invalid type: unit value, expected u64"},
      {buffered_as<TextMap>, "{a: b, c: '1', a: d}", "a=d;c=1;"},
      {buffered_as<TextMap>, "{}", ""},
      {buffered_as<TextMap>, "{a: 1}", "error: invalid type: integer `1`, expected a string"},
      {buffered_as<TextMap>, "{1: a}", "error: invalid type: integer `1`, expected a string"},
      {buffered_as<TextMap>, "~", "error: invalid type: unit value, expected a map"},
      {buffered_as<TextMap>, "[]", "error: invalid type: sequence, expected a map"},
      // Buffering itself fails at the value at fault.
      {buffered_as<Text>, "!x a", "error: untagged and internally tagged enums do not support enum input"},
      {buffered_as<TextMap>, "a: b\nc: !x d\n",
       "error: c: untagged and internally tagged enums do not support enum input at line 2 column 4"},
      {buffered_as<TextMap>, "a: [b, !!int c]\n",
       "error: a[1]: invalid value: string \"c\", expected an integer at line 1 column 8"},
      {buffered_as<TextMap>, "a: 340282366920938463463374607431768211455\n",
       "error: a: invalid type: integer `340282366920938463463374607431768211455` as u128, expected any value at "
       "line 1 column 4"},
      {buffered_as<Text>, "-170141183460469231731687303715884105728",
       "error: invalid type: integer `-170141183460469231731687303715884105728` as i128, expected any value"},
      {buffered_as<Text>, "&a x", "x"},
      // Free-form values from a buffer: like from the events, but keys must be text.
      {buffered_as<JsonValue>, "", "unit"},
      {buffered_as<JsonValue>, "[.nan, -1, 1.5, x, false]",
       "seq 5;element : -;unit;element : -;i64 -1;element : -;f64 1.500000;element : -;str x;element : -;"
       "bool false;end"},
      {buffered_as<JsonValue>, "{b: ~, a: 1, a: 2}", "map 2;key : -;str a;value : -;u64 2;key : -;str b;value : -;unit;end"},
      {buffered_as<JsonValue>, "{1: x}", "error: invalid type: integer `1`, expected a string key"},
      {buffered_as<JsonValue>, "{a: x, true: y}", "error: invalid type: boolean `true`, expected a string"},
      {buffered_as<TextMap>, "a: &v x\nb: *v\n", "a=x;b=x;"},
  };
  for (const Case& c : cases) EXPECT_EQ(c.read(c.yaml), c.want) << c.yaml;
}

struct Env {
  std::string os;
  uint32_t cpus = 0;
  uint64_t mem = 0;
  HashMap<std::string, std::string> vars;
  static constexpr const char* type_name = "Env";
  static constexpr Undeclared undeclared = Undeclared::Skip;
  static constexpr auto fields() {
    using T = Env;
    return std::tuple{required("os", &T::os), required("cpus", &T::cpus), required("mem", &T::mem),
                      defaulted("vars", &T::vars)};
  }
};
std::string show(const Env& e) {
  return e.os + "/" + std::to_string(e.cpus) + "/" + std::to_string(e.mem) + "/" + show(e.vars);
}

struct Pair {
  std::string a;
  std::optional<std::string> b;
  static constexpr const char* type_name = "Pair";
  static constexpr auto fields() { return std::tuple{required("a", &Pair::a), optional("b", &Pair::b)}; }
};
std::string show(const Pair& p) { return p.a + "/" + (p.b ? *p.b : "-"); }

struct One {
  std::string a;
  static constexpr const char* type_name = "One";
  static constexpr auto fields() { return std::tuple{required("a", &One::a)}; }
};
std::string show(const One& o) { return o.a; }

std::string show(const std::optional<Env>& e) { return e ? show(*e) : "none"; }

TEST(Buffered, Records) {
  struct Case {
    std::string (*read)(std::string_view);
    const char* yaml;
    const char* want;
  } cases[] = {
      {buffered_as<Env>, "{os: L, cpus: 8, mem: 9, vars: {a: b}, extra: [!!int 1]}", "L/8/9/a=b;"},
      {buffered_as<Env>, "{0: L, 1: 8, 2: 9}", "L/8/9/"},
      {buffered_as<Env>, "{9: x, os: L, 1: 8, 2: 9, 3: {}}", "L/8/9/"},
      {buffered_as<Env>, "{os: L, -1: x}", "error: invalid type: integer `-1`, expected field identifier"},
      {buffered_as<Env>, "{os: L, ~: x}", "error: invalid type: unit value, expected field identifier"},
      {buffered_as<Env>, "{os: L, [a]: x}", "error: invalid type: sequence, expected field identifier"},
      {buffered_as<Env>, "{os: L, 0: M}", "error: duplicate field `os`"},
      {buffered_as<Env>, "{os: L, mem: 1}", "error: missing field `cpus`"},
      {buffered_as<Env>, "{os: L, cpus: 8, mem: 9, vars: }", "error: invalid type: unit value, expected a map"},
      {buffered_as<Env>, "[L, 8, 9]", "L/8/9/"},
      {buffered_as<Env>, "[L, 8, 9, {a: b}]", "L/8/9/a=b;"},
      {buffered_as<Env>, "[L, 8]", "error: invalid length 2, expected struct Env with 4 elements"},
      {buffered_as<Env>, "[L, 8, 9, {}, x]", "error: invalid length 5, expected 4 elements in sequence"},
      {buffered_as<Env>, "[L, '8', 9]", "error: invalid type: string \"8\", expected u32"},
      {buffered_as<Env>, "~", "error: invalid type: unit value, expected struct Env"},
      {buffered_as<Env>, "", "error: invalid type: Option value, expected struct Env"},
      {buffered_as<Env>, "'x'", "error: invalid type: string \"x\", expected struct Env"},
      {buffered_as<std::optional<Env>>, "~", "none"},
      {buffered_as<std::optional<Env>>, "", "none"},
      {buffered_as<std::optional<Env>>, "[L, 1, 2]", "L/1/2/"},
      {buffered_as<Pair>, "{a: x, b: ~}", "x/-"},
      {buffered_as<Pair>, "{1: y, 0: x}", "x/y"},
      {buffered_as<Pair>, "{a: x, c: 1}", "error: unknown field `c`, expected `a` or `b`"},
      {buffered_as<Pair>, "{a: x, 2: 1}", "error: unknown field `2`, expected `a` or `b`"},
      {buffered_as<Pair>, "[x]", "x/-"},
      {buffered_as<Pair>, "[x, y]", "x/y"},
      {buffered_as<Pair>, "[]", "error: invalid length 0, expected struct Pair with 2 elements"},
      {buffered_as<One>, "[]", "error: invalid length 0, expected struct One with 1 element"},
      {buffered_as<One>, "[x, y]", "error: invalid length 2, expected 1 element in sequence"},
  };
  for (const Case& c : cases) EXPECT_EQ(c.read(c.yaml), c.want) << c.yaml;
}

// A field also read under an older key.
struct Renamed {
  std::string a;
  std::optional<std::string> b;
  static constexpr const char* type_name = "Renamed";
  static constexpr auto fields() {
    return std::tuple{required("a", &Renamed::a), optional("b", &Renamed::b).or_key("old_b")};
  }
};
std::string show(const Renamed& r) { return r.a + "/" + (r.b ? *r.b : "-"); }

std::string direct_as_renamed(std::string_view yaml) {
  try {
    return show(test::read_yaml<Renamed>(yaml));
  } catch (const YamlError& e) {
    return "error: " + e.text();
  }
}

TEST(Record, SecondKey) {
  struct Case {
    const char* yaml;
    const char* want;
  } cases[] = {
      {"{a: x, old_b: y}", "x/y"},
      {"{old_b: y, a: x}", "x/y"},
      {"{a: x, b: y, old_b: z}", "error: duplicate field `b`"},
      {"{old_b: ~, a: x, b: z}", "error: duplicate field `b`"},
      {"{a: x, old_a: y}", "error: unknown field `old_a`, expected `a` or `b`"},
      // A record's empty key matches no field, not the missing second key of `a`.
      {"{a: x, '': y}", "error: unknown field ``, expected `a` or `b`"},
      {"{old_b: y}", "error: missing field `a`"},
  };
  for (const Case& c : cases) {
    std::string direct = direct_as_renamed(c.yaml);
    // Direct reads place their errors; the text before the position is what both readers share.
    EXPECT_EQ(direct.substr(0, direct.find(" at line ")), c.want) << c.yaml;
    EXPECT_EQ(buffered_as<Renamed>(c.yaml), c.want) << c.yaml;
  }
  EXPECT_EQ(direct_as_renamed("{a: x, old_b: [y]}"),
            "error: old_b: invalid type: sequence, expected a string at line 1 column 15");
  test::RecordingWriter w;
  write_record(w, Renamed{"x", "y"});
  std::string written;
  for (const std::string& l : w.lines) written += l + ";";
  EXPECT_NE(written.find("field b :"), std::string::npos) << written;
  EXPECT_EQ(written.find("old_b"), std::string::npos) << written;
}

// A run-like record: own keys, and a header flattened into the same mapping.
struct Header {
  std::string start_time;
  std::string end_time;
  Env environment;
  static constexpr const char* type_name = "Header";
  static constexpr auto fields() {
    using T = Header;
    return std::tuple{required("start_time", &T::start_time), required("end_time", &T::end_time),
                      required("environment", &T::environment)};
  }
};

struct Run {
  Header header;
  std::string config;
  std::optional<std::string> result;
  std::string notes;
  static constexpr const char* type_name = "Run";
  static constexpr auto flatten = &Run::header;
  static constexpr auto fields() {
    using T = Run;
    return std::tuple{required("config", &T::config), optional("result", &T::result),
                      required("notes", &T::notes)};
  }
};

struct Storage {
  JsonValue value;
  static constexpr const char* type_name = "Storage";
  static constexpr auto flatten = &Storage::value;
  static constexpr auto fields() { return std::tuple{}; }
};

struct Doc {
  Run run;
  HashMap<std::string, Storage> storages;
  static constexpr const char* type_name = "Doc";
  static constexpr auto fields() {
    return std::tuple{defaulted("run", &Doc::run), defaulted("storages", &Doc::storages)};
  }
};

constexpr const char* kHeader =
    "  start_time: 2024-01-01T00:00:00Z\n  end_time: '1'\n  environment: {os: L, cpus: 1, mem: 2}\n";

std::string run_error(std::string body) { return test::error_of<Doc>("run:\n" + body); }

TEST(Flatten, ReadsOwnKeysThenHeader) {
  Doc d = test::read_yaml<Doc>(std::string("run:\n  config: c\n  foo: [1, {a: b}]\n") + kHeader +
                               "  notes: n\n  config2: x\n");
  EXPECT_EQ(d.run.config, "c");
  EXPECT_EQ(d.run.notes, "n");
  EXPECT_FALSE(d.run.result);
  EXPECT_EQ(d.run.header.start_time, "2024-01-01T00:00:00Z");
  EXPECT_EQ(d.run.header.end_time, "1");
  EXPECT_EQ(show(d.run.header.environment), "L/1/2/");
}

TEST(Flatten, ErrorOrder) {
  struct Case {
    std::string body;
    const char* want;
  } cases[] = {
      // Failures while reading own keys and buffering come first, in document order.
      {"  notes: [x]\n  start_time: 1\n", "run.notes: invalid type: sequence, expected a string at line 2 column 10"},
      {"  foo: !x 1\n  config: [x]\n",
       "run.foo: untagged and internally tagged enums do not support enum input at line 2 column 8"},
      {"  [a]: 1\n", "run: invalid type: sequence, expected field identifier at line 2 column 3"},
      {"  config: a\n  config: b\n", "run: duplicate field `config` at line 2 column 3"},
      // Then the own required keys, in declaration order.
      {"  start_time: 1\n  notes: n\n", "run: missing field `config` at line 2 column 3"},
      {"  start_time: 1\n  config: c\n", "run: missing field `notes` at line 2 column 3"},
      // Then the header, positionless, at the run's mapping.
      {std::string("  config: c\n  notes: n\n  start_time: 2024\n"),
       "run: invalid type: integer `2024`, expected a string at line 2 column 3"},
      {std::string("  config: c\n  notes: n\n  start_time: a\n  start_time: b\n"),
       "run: duplicate field `start_time` at line 2 column 3"},
      {std::string("  config: c\n  notes: n\n  end_time: a\n"), "run: missing field `start_time` at line 2 column 3"},
      {std::string("  config: c\n  notes: n\n  start_time: a\n  end_time: b\n  environment: {os: L}\n"),
       "run: missing field `cpus` at line 2 column 3"},
      {std::string("  config: c\n  notes: n\n  start_time: a\n  end_time: b\n  environment:\n"),
       "run: invalid type: unit value, expected struct Env at line 2 column 3"},
      {std::string("  config: c\n  notes: n\n") + kHeader + "  environment: {}\n",
       "run: duplicate field `environment` at line 2 column 3"},
      {std::string("  config: c\n  notes: n\n") + kHeader, "ok"},
  };
  for (const Case& c : cases) EXPECT_EQ(run_error(c.body), c.want) << c.body;
  EXPECT_EQ(test::error_of<Doc>("run:\n"), "run: missing field `config` at line 1 column 5");
  EXPECT_EQ(test::error_of<Doc>("run: 5\n"), "run: invalid type: integer `5`, expected struct Run at line 1 column 6");
}

std::string storage(std::string_view yaml) {
  try {
    Doc d = test::read_yaml<Doc>(yaml);
    test::RecordingWriter w;
    d.storages.at("s").value.serialize(w);
    std::string out;
    for (const std::string& l : w.lines) out += l.substr(l.find_first_not_of(' ')) + ";";
    return out;
  } catch (const YamlError& e) {
    return "error: " + e.text();
  }
}

TEST(Flatten, FreeFormPart) {
  struct Case {
    const char* yaml;
    const char* want;
  } cases[] = {
      {"run: {config: c, notes: n, start_time: a, end_time: b, environment: [L, 1, 2]}\nstorages: {s: }\n",
       "map 0;end;"},
      {"run: {config: c, notes: n, start_time: a, end_time: b, environment: [L, 1, 2]}\n"
       "storages:\n  s: {b: 1, 2: x, a: [.inf], b: 3}\n",
       "map 3;key : -;str 2;value : -;str x;key : -;str a;value : -;seq 1;element : -;unit;end;"
       "key : -;str b;value : -;u64 3;end;"},
      {"run: {config: c, notes: n, start_time: a, end_time: b, environment: [L, 1, 2]}\n"
       "storages:\n  s: {a: {1: x}}\n",
       "error: storages.s: invalid type: integer `1`, expected a string key at line 3 column 6"},
      {"run: {config: c, notes: n, start_time: a, end_time: b, environment: [L, 1, 2]}\n"
       "storages:\n  s: [a]\n",
       "error: storages.s: invalid type: sequence, expected struct Storage at line 3 column 6"},
  };
  for (const Case& c : cases) EXPECT_EQ(storage(c.yaml), c.want) << c.yaml;
}

}  // namespace
}  // namespace dorvek
