#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "models/containers.hpp"

using namespace dorvek;

namespace {

template <class Table>
std::vector<std::string> keys_of(const Table& t) {
  std::vector<std::string> out;
  for (const auto& e : t) {
    if constexpr (requires { e.first; }) {
      out.push_back(e.first);
    } else {
      out.push_back(e);
    }
  }
  return out;
}

}  // namespace

// Small tables are scanned, larger ones indexed: both keep document order.
TEST(Containers, MapKeepsFirstPositionAndLastValue) {
  for (int n : {3, 8, 9, 200}) {
    HashMap<std::string, int> m;
    std::vector<std::string> expected;
    for (int i = n - 1; i >= 0; --i) {
      m.insert_or_assign("k" + std::to_string(i), i);
      expected.push_back("k" + std::to_string(i));
    }
    for (int i = 0; i < n; i += 2) m.insert_or_assign("k" + std::to_string(i), -i);
    EXPECT_EQ(keys_of(m), expected) << n;
    ASSERT_EQ(m.size(), static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
      EXPECT_EQ(m.at("k" + std::to_string(i)), i % 2 == 0 ? -i : i) << n << " " << i;
    }
    EXPECT_FALSE(m.contains("absent"));
    EXPECT_EQ(m.find("absent"), m.end());
  }
}

TEST(Containers, SetKeepsFirstOfEqualElementsInPlace) {
  HashSet<std::string> s;
  std::vector<std::string> expected;
  for (int i = 0; i < 50; ++i) {
    EXPECT_TRUE(s.insert("e" + std::to_string(i * 7 % 50)));
    expected.push_back("e" + std::to_string(i * 7 % 50));
    EXPECT_FALSE(s.insert("e" + std::to_string(i / 2 * 7 % 50)));
  }
  EXPECT_EQ(keys_of(s), expected);
  HashSet<std::string> reversed;
  for (auto it = expected.rbegin(); it != expected.rend(); ++it) reversed.insert(*it);
  EXPECT_EQ(s, reversed);  // contents, not order
  reversed.insert("other");
  EXPECT_NE(s, reversed);
}

TEST(Containers, IntegerKeysSpreadOverTheIndex) {
  HashSet<uint64_t> s;
  for (uint64_t i = 0; i < 5000; ++i) s.insert(i << 32);  // same low bits throughout
  EXPECT_EQ(s.size(), 5000u);
  EXPECT_TRUE(s.contains(uint64_t{4999} << 32));
  EXPECT_FALSE(s.contains(1));
  EXPECT_EQ(*s.begin(), 0u);
}
