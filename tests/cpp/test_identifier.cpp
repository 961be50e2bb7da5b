#include <gtest/gtest.h>

#include "models/ort/identifier.hpp"
#include "test_support.hpp"

namespace dorvek::ort {
namespace {

using test::error_of;
using test::read_yaml;

constexpr const char* kInvalid = "Field 'identifier' is invalid: must be in the format 'type:namespace:name:version'";

struct Holder {
  Identifier id;
  std::optional<Identifier> maybe;
  std::vector<Identifier> list;
  HashMap<Identifier, int64_t> by_id;
  static constexpr const char* type_name = "Holder";
  static constexpr auto fields() {
    using T = Holder;
    return std::tuple{required("id", &T::id), optional("maybe", &T::maybe), defaulted("list", &T::list),
                      defaulted("by_id", &T::by_id)};
  }
};

TEST(Identifier, ParsesTexts) {
  struct Case {
    const char* text;
    bool valid;
    const char *type = "", *ns = "", *name = "", *version = "";
  };
  const Case cases[] = {
      {"Maven:org.example:lib:1.0", true, "Maven", "org.example", "lib", "1.0"},
      {":::", true, "", "", "", ""},
      {"a:b:c:", true, "a", "b", "c", ""},
      {":b:c:d", true, "", "b", "c", "d"},
      {"Maven : org : lib : 1.0", true, "Maven ", " org ", " lib ", " 1.0"},
      {"a:b:c", false},
      {"a:b:c:d:e", false},
      {"a::b:c:d", false},
      {"", false},
      {"::::", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    if (!c.valid) {
      try {
        Identifier::from_str(c.text);
        ADD_FAILURE() << "parsed";
      } catch (const ValidationError& e) {
        EXPECT_EQ(e.text(), kInvalid);
      }
      continue;
    }
    Identifier id = Identifier::from_str(c.text);
    EXPECT_EQ(id.type(), c.type);
    EXPECT_EQ(id.namespace_(), c.ns);
    EXPECT_EQ(id.name(), c.name);
    EXPECT_EQ(id.version(), c.version);
    EXPECT_EQ(id.text(), c.text);
    EXPECT_EQ(Identifier::from_str(id.text()), id);
  }
}

TEST(Identifier, ReadsFromDocuments) {
  struct Case {
    const char* yaml;
    const char* result;  // the id's text, or the error
  };
  const Case cases[] = {
      {"id: 1:2:3:4", "1:2:3:4"},
      {"id: 'a:b:c:d'", "a:b:c:d"},
      {"list: [&a 'p:q:r:s']\nid: *a", "p:q:r:s"},
      {"id: true", kInvalid},
      {"id: ~", kInvalid},
      {"id:", kInvalid},
      {"list: []\nid: a:b:c\n", kInvalid},
      {"id: [a]", "id: invalid type: sequence, expected a string at line 1 column 5"},
      {"id: a:b:c:d\nlist:\n  - a:b:c:d\n  - bad\n",
       "list: Field 'identifier' is invalid: must be in the format 'type:namespace:name:version' at line 3 column 3"},
      {"id: a:b:c:d\nby_id:\n  a:b:c:d: 1\n  bad: 2\n",
       "by_id: Field 'identifier' is invalid: must be in the format 'type:namespace:name:version' at line 3 column 3"},
      {"id: a:b:c:d\nby_id:\n  [x]: 2\n", "by_id: invalid type: sequence, expected a string at line 3 column 3"},
      {"id: a:b:c:d\nmaybe: nope\n", kInvalid},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.yaml);
    std::string err = error_of<Holder>(c.yaml);
    EXPECT_EQ(err == "ok" ? read_yaml<Holder>(c.yaml).id.text() : err, c.result);
  }
}

TEST(Identifier, PositionAtEnclosingRecord) {
  EXPECT_EQ(error_of<std::vector<Holder>>("- id: a:b:c:d\n- list: []\n  id: nope\n"),
            ".[1]: " + std::string(kInvalid) + " at line 2 column 3");
}

TEST(Identifier, MapsAndOptionals) {
  Holder h = read_yaml<Holder>(
      "id: a:b:c:d\nmaybe: null\nby_id:\n  Maven:a:b:1: 1\n  maven:a:b:1: 2\n  Maven:a:b:1: 3\n");
  EXPECT_FALSE(h.maybe);
  ASSERT_EQ(h.by_id.size(), 2u);
  EXPECT_EQ(h.by_id.at(Identifier::from_str("Maven:a:b:1")), 3);
  EXPECT_EQ(h.by_id.at(Identifier::from_str("maven:a:b:1")), 2);
  HashSet<Identifier> set{Identifier::from_str("a:b:c:d"), Identifier::from_str("a:b:c:d"),
                          Identifier::from_str("A:b:c:d")};
  EXPECT_EQ(set.size(), 2u);
}

TEST(Identifier, WritesText) {
  Holder h = read_yaml<Holder>("id: ':::'\nmaybe: a:b:c:d\nby_id: {x:y:z:w: 1}\n");
  test::RecordingWriter w;
  write(w, h);
  const std::vector<std::string> expected = {
      "struct Holder 4",
      "field id : Identifier",
      "  str :::",
      "field maybe : -",
      "  some Identifier",
      "  str a:b:c:d",
      "field list : -",
      "  seq 0",
      "  end",
      "field by_id : -",
      "  map 1",
      "  key : -",
      "    str x:y:z:w",
      "  value : -",
      "    i64 1",
      "  end",
      "end",
  };
  EXPECT_EQ(w.lines, expected);
}

}  // namespace
}  // namespace dorvek::ort
