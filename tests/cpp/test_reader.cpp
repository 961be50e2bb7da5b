// Reading rules over the event list: records, containers, aliases, limits and
// the display texts of reading errors.
#include <gtest/gtest.h>

#include <algorithm>

#include "test_support.hpp"

namespace dorvek {
namespace {

using test::error_of;
using test::read_yaml;

struct Point {
  int32_t x = 0;
  int32_t y = 0;
  static constexpr const char* type_name = "Point";
  static constexpr auto fields() { return std::tuple{required("x", &Point::x), required("y", &Point::y)}; }
};

struct Shape {
  std::string name;
  std::vector<Point> points;
  std::optional<std::string> label;
  HashMap<std::string, int64_t> tags;
  std::optional<Point> center;
  std::optional<std::vector<std::string>> notes;
  HashSet<std::string> kinds;
  static constexpr const char* type_name = "Shape";
  static constexpr auto fields() {
    using T = Shape;
    return std::tuple{required("name", &T::name),   defaulted("points", &T::points),
                      optional("label", &T::label), defaulted("tags", &T::tags),
                      optional("center", &T::center), optional("notes", &T::notes),
                      defaulted("kinds", &T::kinds)};
  }
};

struct Loose {
  std::string a;
  std::vector<std::vector<int64_t>> v;
  static constexpr const char* type_name = "Loose";
  static constexpr Undeclared undeclared = Undeclared::Skip;
  static constexpr auto fields() { return std::tuple{defaulted("a", &Loose::a), defaulted("v", &Loose::v)}; }
};

struct One {
  std::string value;
  static constexpr const char* type_name = "One";
  static constexpr auto fields() { return std::tuple{defaulted("value", &One::value)}; }
};

struct Node {
  std::vector<Node> c;
  static constexpr const char* type_name = "Node";
  static constexpr auto fields() { return std::tuple{defaulted("c", &Node::c)}; }
};

TEST(Reader, ReadsRecordsAndContainers) {
  Shape s = read_yaml<Shape>(
      "name: sq\npoints:\n  - {x: 1, y: 2}\n  - x: 3\n    y: 4\nlabel: ~\ntags: {a: 1, b: 5, a: 2}\n"
      "notes: []\nkinds: [k, j, k]\n");
  EXPECT_EQ(s.name, "sq");
  ASSERT_EQ(s.points.size(), 2u);
  EXPECT_EQ(s.points[1].y, 4);
  EXPECT_FALSE(s.label);
  EXPECT_EQ(s.tags.size(), 2u);
  EXPECT_EQ(s.tags.at("a"), 2);  // a map keeps the last value
  EXPECT_FALSE(s.center);
  ASSERT_TRUE(s.notes);
  EXPECT_TRUE(s.notes->empty());
  // Sets keep the first of equal elements; compare without regard to order.
  std::vector<std::string> kinds(s.kinds.begin(), s.kinds.end());
  std::sort(kinds.begin(), kinds.end());
  EXPECT_EQ(kinds, (std::vector<std::string>{"j", "k"}));
  // Tables compare by their contents, whatever their order.
  EXPECT_EQ(s.kinds, (HashSet<std::string>{"k", "j"}));
  EXPECT_NE(s.kinds, (HashSet<std::string>{"k"}));
  EXPECT_EQ(s.tags, (HashMap<std::string, int64_t>{{"b", 5}, {"a", 2}}));
  EXPECT_NE(s.tags, (HashMap<std::string, int64_t>{{"b", 5}, {"a", 1}}));
}

TEST(Reader, EmptyValuesAndNulls) {
  Shape s = read_yaml<Shape>("name: a\npoints:\ntags:\nnotes:\ncenter:\n");
  EXPECT_TRUE(s.points.empty());
  EXPECT_TRUE(s.tags.empty());
  EXPECT_FALSE(s.notes);  // an optional list reads an empty value as none
  EXPECT_FALSE(s.center);
  EXPECT_FALSE(read_yaml<Shape>("name: a\nnotes: ~\n").notes);
  // An alias to an anchored mapping reads exactly like the mapping in place.
  Shape t = read_yaml<Shape>("name: a\npoints: [&p {x: 1, y: 2}, *p]\n");
  EXPECT_EQ(t.points[1].x, 1);
  EXPECT_EQ(t.points[1].y, 2);
  // A redefined anchor name replays its newest node; other names are unaffected.
  Loose l = read_yaml<Loose>("v: [&a [1], &a [2], &b [3], *a, *b]\n");
  ASSERT_EQ(l.v.size(), 5u);
  EXPECT_EQ(l.v[3], std::vector<int64_t>{2});
  EXPECT_EQ(l.v[4], std::vector<int64_t>{3});
}

struct ErrorCase {
  const char* yaml;
  const char* expected;
};

TEST(Reader, RecordErrors) {
  const ErrorCase cases[] = {
      {"points: []\n", "missing field `name`"},
      {"points: []\nother: 1\n", "unknown field `other`, expected one of `name`, `points`, `label`, `tags`, "
                                 "`center`, `notes`, `kinds` at line 2 column 1"},
      {"bogus: 1\n", "unknown field `bogus`, expected one of `name`, `points`, `label`, `tags`, `center`, "
                     "`notes`, `kinds`"},
      {"name: a\nname: b\n", "duplicate field `name`"},
      {"tags: {}\ntags: {}\n", "duplicate field `tags`"},
      {"name: a\npoints:\n  - {x: 1}\n", "points[0]: missing field `y` at line 3 column 5"},
      {"name: a\npoints:\n  - {x: 1, y: z}\n",
       "points[0].y: invalid type: string \"z\", expected i32 at line 3 column 15"},
      {"name: a\ncenter: {x: 1, y: 2, z: 3}\n", "center: unknown field `z`, expected `x` or `y` at line 2 column 22"},
      {"name: a\ncenter: ~\n", "ok"},
      {"name: a\npoints: [~]\n", "points[0]: invalid type: unit value, expected struct Point at line 2 column 10"},
      {"name: a\npoints: [\"\"]\n",
       "points[0]: invalid type: string \"\", expected struct Point at line 2 column 10"},
      {"name: a\npoints: [{x: 1, y: 2}, []]\n",
       "points[1]: invalid type: sequence, expected struct Point at line 2 column 24"},
      {"name: a\npoints:\n", "ok"},
      {"name: a\npoints: ~\n", "points: invalid type: unit value, expected a sequence at line 2 column 9"},
      {"name: a\ntags: [1]\n", "tags: invalid type: sequence, expected a map at line 2 column 7"},
      {"name: a\ntags: {[k]: 1}\n", "tags: invalid type: sequence, expected a string at line 2 column 8"},
      {"name: a\ntags: {&k k: x}\n", "tags.k: invalid type: string \"x\", expected i64 at line 2 column 14"},
      {"name: a\ntags: {*k : 1}\n", "unknown anchor at line 2 column 8"},
      {"name: a\nk: &k tags\n", "unknown field `k`, expected one of `name`, `points`, `label`, `tags`, `center`, "
                                "`notes`, `kinds` at line 2 column 1"},
      {"{name: a, {x: 1}: 2}\n", "invalid type: map, expected field identifier at line 1 column 11"},
      {"name: a\nlabel: !!null x\n", "invalid value: string \"x\", expected null"},
      {"name: a\ncenter:\n  x: !!null ''\n", "center.x: invalid value: string \"\", expected null at line 3 column 6"},
      // Failures in the entries come before missing keys.
      {"name: a\nname: b\n", "duplicate field `name`"},
      {"points: []\npoints: []\n", "duplicate field `points`"},
      {"label: x\nwhat: 1\n", "unknown field `what`, expected one of `name`, `points`, `label`, `tags`, "
                               "`center`, `notes`, `kinds` at line 2 column 1"},
      // An alias to a mapping that lacks a required key: the anchored
      // position with the path of the alias's place.
      {"name: a\nlabel: x\ncenter: &c {x: 1}\npoints: [*c]\n", "center: missing field `y` at line 3 column 9"},
      {"name: a\npoints: [{x: 1, y: 2}, &c {x: 1}, *c]\n", "points[1]: missing field `y` at line 2 column 24"},
      // An alias used as a key: its value's path shows "?".
      {"name: a\ntags:\n  &k a: 1\n  *k : x\n", "tags.?: invalid type: string \"x\", expected i64 at line 4 column 8"},
  };
  for (const ErrorCase& c : cases) EXPECT_EQ(error_of<Shape>(c.yaml), c.expected) << c.yaml;
}

struct Holder {
  Point p;
  One o;
  static constexpr const char* type_name = "Holder";
  static constexpr auto fields() { return std::tuple{defaulted("p", &Holder::p), defaulted("o", &Holder::o)}; }
};

// A record given as an empty value is read from no entries.
TEST(Reader, EmptyValueRecords) {
  const ErrorCase cases[] = {
      {"o:\np: {x: 1, y: 2}\n", "ok"},
      {"o: !!str\np: {x: 1, y: 2}\n", "ok"},
      {"o:\np:\n", "p: missing field `x` at line 2 column 3"},
      {"p: ~\n", "p: invalid type: unit value, expected struct Point at line 1 column 4"},
  };
  for (const ErrorCase& c : cases) EXPECT_EQ(error_of<Holder>(c.yaml), c.expected) << c.yaml;
}

TEST(Reader, UnknownFieldTexts) {
  EXPECT_EQ(error_of<One>("x: 1\n"), "unknown field `x`, expected `value`");
  EXPECT_EQ(error_of<Point>("x: 1\nw: 2\n"), "unknown field `w`, expected `x` or `y` at line 2 column 1");
  // A skipping record skips any value, repeated or not, without looking into it.
  EXPECT_EQ(error_of<Loose>("b: {c: [1, *nope]}\n"), "unknown anchor at line 1 column 12");
  EXPECT_EQ(error_of<Loose>("b: {c: [1, {d: e}]}\nb: x\n<<: 1\n"), "ok");
}

TEST(Reader, DocumentRules) {
  const ErrorCase cases[] = {
      {"", "missing field `name`"},
      // The empty value of an empty document stands at the end of the stream.
      {"# only a comment\n", "missing field `name` at line 2 column 1"},
      {"---\n", "missing field `name` at line 2 column 1"},
      {"name: a\n...\n", "ok"},
      {"name: a\n---\nname: b\n", "deserializing from YAML containing more than one document is not supported"},
      {"name: a\n---\n", "deserializing from YAML containing more than one document is not supported"},
      {"{name: a} junk\n", "deserializing from YAML containing more than one document is not supported"},
      {"name: a\nlabel: b: c\n", "mapping values are not allowed in this context at line 2 column 9"},
      {"name: a\nlabel: \"open\n", "found unexpected end of stream at line 3 column 1, while scanning a quoted "
                                    "scalar at line 2 column 8"},
      {"name: \"\x01\"\n", "control characters are not allowed at position 7"},
      {"[1]\n", "invalid type: sequence, expected struct Shape"},
      {"name: *x\n", "unknown anchor at line 1 column 7"},
      {"label: x\nname: [a]\n", "name: invalid type: sequence, expected a string at line 2 column 7"},
  };
  for (const ErrorCase& c : cases) EXPECT_EQ(error_of<Shape>(c.yaml), c.expected) << c.yaml;
  // A scalar root is not an empty value: the text reader meets the Void of an empty input.
  EXPECT_EQ(error_of<std::string>(""), "EOF while parsing a value");
  EXPECT_EQ(error_of<One>(""), "ok");
}

// The guard of finishing a collection: a body that leaves entries unread.
TEST(Reader, FinishingGuard) {
  auto unread = [](std::string_view text, size_t claimed) {
    Document doc;
    doc.load(text);
    size_t cursor = 0;
    uint64_t replays = 0;
    Path root = Path::root();
    Reader r(doc, cursor, replays, root);
    const Event& e = r.next();
    try {
      if (e.kind == EventKind::MappingStart) {
        r.visit_mapping(e, [&](Reader&) { return claimed; });
      } else {
        r.visit_sequence(e, [&](Reader&) { return claimed; });
      }
    } catch (const YamlError& err) {
      return err.text();
    }
    return std::string("ok");
  };
  EXPECT_EQ(unread("{a: [1, {b: 2}], c: 3}", 0), "invalid length 2, expected map containing 0 entries");
  EXPECT_EQ(unread("{a: 1, c: 3}", 1), "invalid length 3, expected map containing 1 entry");
  EXPECT_EQ(unread("[1, [2, 3], 4]", 2), "invalid length 5, expected sequence of 2 elements");
  EXPECT_EQ(unread("[]", 0), "ok");
}

std::string nested(int nodes, bool one_more) {
  std::string open, close;
  for (int i = 0; i < nodes; ++i) {
    open += "{c: [";
    close += "]}";
  }
  return open + (one_more ? "{}" : "") + close;
}

TEST(Reader, NestingLimit) {
  // 64 records with their lists are 128 levels.
  EXPECT_EQ(error_of<Node>(nested(64, false)), "ok");
  // The 129th level fails at its start, with the position alone.
  EXPECT_EQ(error_of<Node>(nested(64, true)), "recursion limit exceeded at line 1 column 321");
  // Skipped values count no nesting.
  auto skipped = [](size_t levels) {
    return error_of<Loose>("x: " + std::string(levels, '[') + std::string(levels, ']') + "\n");
  };
  EXPECT_EQ(skipped(1023), "ok");
  // Loading itself stops at 1024 levels (the root mapping counts), however
  // the value is read, so an endless nesting cannot keep the scanner busy.
  EXPECT_EQ(skipped(1024), "recursion limit exceeded at line 1 column 1027");
  EXPECT_EQ(error_of<Loose>("x: [1]\nv: [[1, x]]\ny: " + std::string(100000, '[')),
            "v[0][1]: invalid type: string \"x\", expected i64 at line 2 column 9");
}

// Any nesting of lists of texts.
struct Nest {
  std::vector<Nest> items;
  static constexpr const char* type_name = nullptr;
  static Nest deserialize(Reader& r) {
    const Event& e = r.peek();
    if (e.kind == EventKind::Scalar) {
      read_text(r);
      return {};
    }
    return Nest{read<std::vector<Nest>>(r)};
  }
  void serialize(Writer&) const {}
};

std::string aliases(int count) {
  std::string doc = "v: [&a [";
  for (int i = 0; i < 100; ++i) doc += (i ? ", " : "") + std::to_string(i);
  doc += "]";
  for (int i = 0; i < count; ++i) doc += ", *a";
  return doc + "]\n";
}

TEST(Reader, RepetitionLimit) {
  EXPECT_EQ(error_of<Loose>(aliases(1000)), "ok");
  // Replaying a large anchored node thousands of times counts every replayed event.
  EXPECT_EQ(error_of<Loose>(aliases(5000)), "repetition limit exceeded");
  // Aliases of aliases expand exponentially; the budget stops them early.
  std::string bomb = "a: &a [x, x, x, x, x, x, x, x, x, x]\n";
  char prev = 'a';
  for (char c = 'b'; c <= 'j'; ++c, ++prev) {
    bomb += std::string(1, c) + ": &" + c + " [";
    for (int i = 0; i < 10; ++i) bomb += std::string(i ? ", *" : "*") + prev;
    bomb += "]\n";
  }
  using Bombs = HashMap<std::string, Nest>;
  EXPECT_EQ(error_of<Bombs>(bomb), "repetition limit exceeded");
  // A long text aliased again and again: its replayed bytes count too, up to
  // 100 times the length of the input.
  auto texts = [](int count) {
    std::string doc = "name: a\nnotes: [&a " + std::string(10000, 'x');
    for (int i = 0; i < count; ++i) doc += ", *a";
    return doc + "]\n";
  };
  EXPECT_EQ(error_of<Shape>(texts(90)), "ok");
  EXPECT_EQ(error_of<Shape>(texts(120)), "repetition limit exceeded");
}

// Texts prepared so that an unkeyed byte hash gives them one value (a block
// difference that cancels); a table that trusted such a hash would degrade to
// a list, so ours key the hash with a secret of the process.
TEST(Reader, PreparedCollisionsHashApart) {
  const std::string a("\x36\x26\x4d\x63\x78\x2f\x7f\x7f\x3f\x20\x63\x2a\x75\x6f\x66\x7f", 16);
  const std::string b("\x36\x26\x0a\x7d\x13\x15\x27\x0e\x3f\x20\x20\x44\x10\x55\x0e\x0e", 16);
  if (std::hash<std::string>{}(a) != std::hash<std::string>{}(b)) GTEST_SKIP() << "standard hash differs here";
  EXPECT_NE(hash_value(a), hash_value(b));
  auto m = read_yaml<HashMap<std::string, int64_t>>(
      "\"6&Mcx/\\x7f\\x7f? c*uof\\x7f\": 1\n\"6&\\n}\\x13\\x15'\\x0e?  D\\x10U\\x0e\\x0e\": 2\n");
  EXPECT_EQ(m.at(a), 1);
  EXPECT_EQ(m.at(b), 2);
}

}  // namespace
}  // namespace dorvek
