#include <gtest/gtest.h>

#include "test_support.hpp"

namespace dorvek {
namespace {

using test::error_of;
using test::read_yaml;

struct Point {
  int32_t x = 0;
  int32_t y = 0;
  static constexpr const char* type_name = "Point";
  static constexpr auto fields() {
    return std::tuple{required("x", &Point::x), required("y", &Point::y)};
  }
};

struct Shape {
  std::string name;
  std::vector<Point> points;
  std::optional<std::string> label;
  HashMap<std::string, int64_t> tags;
  std::optional<Point> center;
  static constexpr const char* type_name = "Shape";
  static constexpr auto fields() {
    using T = Shape;
    return std::tuple{required("name", &T::name), defaulted("points", &T::points),
                      optional("label", &T::label), defaulted("tags", &T::tags),
                      optional("center", &T::center)};
  }
};

struct Loose {
  std::string a;
  static constexpr const char* type_name = "Loose";
  static constexpr Undeclared undeclared = Undeclared::Skip;
  static constexpr auto fields() { return std::tuple{defaulted("a", &Loose::a)}; }
};

TEST(Reader, ReadsRecord) {
  Shape s = read_yaml<Shape>("name: sq\npoints:\n  - {x: 1, y: 2}\n  - x: 3\n    y: 4\nlabel: ~\ntags: {a: 1, a: 2}\n");
  EXPECT_EQ(s.name, "sq");
  ASSERT_EQ(s.points.size(), 2u);
  EXPECT_EQ(s.points[1].y, 4);
  EXPECT_FALSE(s.label);
  EXPECT_EQ(s.tags.at("a"), 2);
  EXPECT_FALSE(s.center);
}

TEST(Reader, ErrorTexts) {
  EXPECT_EQ(error_of<Shape>("points: []\n"), "missing field `name`");
  EXPECT_EQ(error_of<Shape>("name: a\nbogus: 1\n"),
            "unknown field `bogus`, expected one of `name`, `points`, `label`, `tags`, `center` at line 2 column 1");
  EXPECT_EQ(error_of<Shape>("name: a\npoints:\n  - {x: 1}\n"), "points[0]: missing field `y` at line 3 column 5");
  EXPECT_EQ(error_of<Shape>("name: a\nname: b\n"), "duplicate field `name`");
  EXPECT_EQ(error_of<Shape>("name: a\npoints:\n  - {x: 1, y: z}\n"),
            "points[0].y: invalid type: string \"z\", expected i32 at line 3 column 15");
  EXPECT_EQ(error_of<Shape>("name: a\ncenter: {x: 1, y: 2, z: 3}\n"),
            "center: unknown field `z`, expected `x` or `y` at line 2 column 22");
  EXPECT_EQ(error_of<Loose>("a: 1\nb: {c: [1, *nope]}\n"), "unknown anchor at line 2 column 12");
  EXPECT_EQ(error_of<Loose>("b: 1\n"), "ok");
  EXPECT_EQ(error_of<Shape>(""), "missing field `name`");
  EXPECT_EQ(error_of<Shape>("name: a\n---\nname: b\n"),
            "deserializing from YAML containing more than one document is not supported");
}

}  // namespace
}  // namespace dorvek
