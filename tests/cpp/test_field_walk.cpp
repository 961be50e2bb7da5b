#include <gtest/gtest.h>

#include "models/flatten.hpp"
#include "test_support.hpp"

namespace dorvek {
namespace {

struct Inner {
  int32_t n = 0;
  static constexpr const char* type_name = "Inner";
  static constexpr auto fields() { return std::tuple{required("n", &Inner::n)}; }
};

struct Walked {
  std::string name;
  std::optional<std::string> label;
  std::optional<Inner> inner;
  std::vector<Inner> list;
  HashSet<std::string> set;
  HashMap<std::string, Inner> map;
  std::optional<std::vector<int32_t>> absent_list;
  std::optional<std::vector<int32_t>> empty_list;
  Inner direct;
  bool flag = false;
  double score = 0;
  int64_t big = 0;
  static constexpr const char* type_name = "Walked";
  static constexpr auto fields() {
    using T = Walked;
    return std::tuple{required("name", &T::name),        optional("label", &T::label),
                      optional("inner", &T::inner),      defaulted("list", &T::list),
                      defaulted("set", &T::set),         defaulted("map", &T::map),
                      optional("absent_list", &T::absent_list), optional("empty_list", &T::empty_list),
                      required("direct", &T::direct),    defaulted("flag", &T::flag),
                      defaulted("score", &T::score),     defaulted("big", &T::big)};
  }
};

// Every field in order, with its declared type name; absent and empty values
// are written too, nothing is left out.
TEST(FieldWalk, EveryFieldInOrderWithDeclaredTypeNames) {
  struct Case {
    const char* yaml;
    std::vector<std::string> want;
  };
  const Case cases[] = {
      {"big: -5\nname: x\ninner: {n: 1}\nlist: [{n: 2}]\nset: [s]\nmap: {k: {n: 3}}\n"
       "empty_list: []\ndirect: {n: 4}\nscore: 2.5\n",
       {
           "struct Walked 12",
           "field name : -", "  str x",
           "field label : -", "  none",
           "field inner : -", "  some Inner", "  struct Inner 1", "  field n : -", "    i32 1", "  end",
           "field list : -", "  seq 1",
           "  element : -", "    struct Inner 1", "    field n : -", "      i32 2", "    end",
           "  end",
           "field set : -", "  seq 1", "  element : -", "    str s", "  end",
           "field map : -", "  map 1",
           "  key : -", "    str k",
           "  value : -", "    struct Inner 1", "    field n : -", "      i32 3", "    end",
           "  end",
           "field absent_list : -", "  none",
           "field empty_list : -", "  some -", "  seq 0", "  end",
           "field direct : Inner", "  struct Inner 1", "  field n : -", "    i32 4", "  end",
           "field flag : -", "  bool false",
           "field score : -", "  f64 2.500000",
           "field big : -", "  i64 -5",
           "end",
       }},
      {"name: ''\ndirect: {n: 0}\n",
       {
           "struct Walked 12",
           "field name : -", "  str ",
           "field label : -", "  none",
           "field inner : -", "  none",
           "field list : -", "  seq 0", "  end",
           "field set : -", "  seq 0", "  end",
           "field map : -", "  map 0", "  end",
           "field absent_list : -", "  none",
           "field empty_list : -", "  none",
           "field direct : Inner", "  struct Inner 1", "  field n : -", "    i32 0", "  end",
           "field flag : -", "  bool false",
           "field score : -", "  f64 0.000000",
           "field big : -", "  i64 0",
           "end",
       }},
  };
  for (const Case& c : cases) {
    test::RecordingWriter w;
    write(w, test::read_yaml<Walked>(c.yaml));
    EXPECT_EQ(w.lines, c.want) << c.yaml;
  }
}

struct Mem {
  uint64_t bytes = 0;
  static constexpr const char* type_name = "Mem";
  static constexpr auto fields() { return std::tuple{required("bytes", &Mem::bytes)}; }
};

struct Header {
  std::string start_time;
  Mem environment;
  static constexpr const char* type_name = "Header";
  static constexpr auto fields() {
    return std::tuple{required("start_time", &Header::start_time), required("environment", &Header::environment)};
  }
};

struct TestRun {
  Header header;
  Inner config;
  std::optional<Inner> result;
  static constexpr const char* type_name = "TestRun";
  static constexpr auto flatten = &TestRun::header;
  static constexpr auto fields() {
    return std::tuple{required("config", &TestRun::config), optional("result", &TestRun::result)};
  }
};

TEST(FieldWalk, FlattenedRecordAsMapHeaderFirst) {
  TestRun run = test::read_yaml<TestRun>("config: {n: 1}\nenvironment: [7]\nstart_time: t\n");
  test::RecordingWriter w;
  write(w, std::optional<TestRun>(run));
  std::vector<std::string> want = {
      "some TestRun",
      "map -",
      "key : -", "  str start_time", "value : -", "  str t",
      "key : -", "  str environment", "value : Mem", "  struct Mem 1", "  field bytes : -", "    u64 7", "  end",
      "key : -", "  str config", "value : Inner", "  struct Inner 1", "  field n : -", "    i32 1", "  end",
      "key : -", "  str result", "value : -", "  none",
      "end",
  };
  EXPECT_EQ(w.lines, want);
}

struct FreeForm {
  JsonValue value;
  static constexpr const char* type_name = "FreeForm";
  static constexpr auto flatten = &FreeForm::value;
  static constexpr auto fields() { return std::tuple{}; }
};

TEST(FieldWalk, FlattenedFreeForm) {
  struct Case {
    JsonValue value;
    const char* want;
  } cases[] = {
      {JsonValue(), "map -|end"},
      {test::read_yaml<JsonValue>("{b: 1, a: x}"), "map -|key : -|  str a|value : -|  str x|key : -|  str b|"
                                                   "value : -|  u64 1|end"},
      {JsonValue(true), "map -|can only flatten structs and maps (got a boolean)"},
      {JsonValue(uint64_t{1}), "map -|can only flatten structs and maps (got an integer)"},
      {JsonValue(int64_t{-1}), "map -|can only flatten structs and maps (got an integer)"},
      {JsonValue(1.5), "map -|can only flatten structs and maps (got a float)"},
      {JsonValue(std::string("s")), "map -|can only flatten structs and maps (got a string)"},
      {JsonValue(JsonValue::Array{}), "map -|can only flatten structs and maps (got a sequence)"},
  };
  for (const Case& c : cases) {
    test::RecordingWriter w;
    std::string got;
    try {
      write(w, FreeForm{c.value});
    } catch (const YamlError& e) {
      w.lines.push_back(e.text());
    }
    for (const std::string& l : w.lines) got += (got.empty() ? "" : "|") + l;
    EXPECT_EQ(got, c.want);
  }
}

}  // namespace
}  // namespace dorvek
