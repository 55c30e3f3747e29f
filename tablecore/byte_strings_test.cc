#include "tablecore/byte_strings.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>

namespace tablecore {
namespace {

using namespace std::string_view_literals;

TEST(ByteStringsTest, TakeLeftAndTakeRightClampToTheString) {
  struct Case {
    std::int64_t n;
    std::string_view left;
    std::string_view right;
  };
  const Case cases[] = {
      {-5, "", ""}, {0, "", ""}, {1, "a", "e"}, {3, "abc", "cde"}, {5, "abcde", "abcde"},
      {99, "abcde", "abcde"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TakeLeft("abcde"sv, c.n), c.left) << c.n;
    EXPECT_EQ(TakeRight("abcde"sv, c.n), c.right) << c.n;
  }
  EXPECT_EQ(TakeLeft(u"xyz"sv, 2), u"xy"sv);
  EXPECT_EQ(TakeRight(u"xyz"sv, 2), u"yz"sv);
}

TEST(ByteStringsTest, FindBytesGivesTheFirstOneBasedPositionOrZero) {
  struct Case {
    std::string_view pattern;
    std::string_view s;
    std::int64_t position;
  };
  const Case cases[] = {
      {"\x00\x09\x00"sv, "a\x00\x09\x00" "b\x00\x09\x00"sv, 2},
      {"ab", "ab", 1},
      {"ab", "xab", 2},
      {"ab", "a", 0},
      {"ab", "", 0},
      {"\x5D\x00\x09"sv, "\x5D\x00\x0A"sv, 0},
  };
  for (const Case& c : cases) EXPECT_EQ(FindBytes(c.pattern, c.s), c.position);
  EXPECT_EQ(FindBytes(u"="sv, u"a=b=c"sv), 2);
}

TEST(ByteStringsTest, KeywordIsUtf16LeOfItsCharacters) {
  constexpr Utf16LeKeyword kNpc("npc_begin");
  EXPECT_EQ(kNpc.bytes(),
            "\x6E\x00\x70\x00\x63\x00\x5F\x00\x62\x00\x65\x00\x67\x00\x69\x00\x6E\x00"sv);
}

TEST(ByteStringsTest, RecordKeywordTestComparesOnlyTheKeywordsBytes) {
  constexpr Utf16LeKeyword kItem("item_begin");
  const std::string item = std::string(kItem.bytes());
  struct Case {
    std::string line;
    bool matches;
  };
  const Case cases[] = {
      {item, true},
      {item + std::string("\x09\x00", 2), true},
      {std::string(Utf16LeKeyword("item_beginning").bytes()) + '\0', true},
      {std::string(Utf16LeKeyword("ITEM_BEGIN").bytes()), false},
      {item.substr(0, 19), false},
      {"", false},
      {std::string(Utf16LeKeyword("npc_begin").bytes()), false},
  };
  for (const Case& c : cases) EXPECT_EQ(HasRecordKeyword(c.line, kItem.bytes()), c.matches);
}

TEST(ByteStringsTest, WideTextTakesBytePairsLowByteFirstAndDropsAnOddLastByte) {
  EXPECT_EQ(WideTextFromRawLine("\x61\x00\x0A\x4E\x00"sv), u"a\u4E0A"sv);
  EXPECT_EQ(WideTextFromRawLine("\x61\x00"sv), u"a"sv);
  EXPECT_EQ(WideTextFromRawLine("\x61"sv), u""sv);
  EXPECT_EQ(WideTextFromRawLine("\xFF\xFF"sv), u"\uFFFF"sv);
}

}  // namespace
}  // namespace tablecore

namespace tablecore {
namespace {

// The anchored byte search against the standard library's search, on random
// UTF-16LE-like bytes with many near matches.
TEST(ByteStringsTest, FindBytesMatchesTheStandardSearch) {
  const char alphabet[] = {0x00, 0x09, 0x5B, 0x5D};
  const std::string_view patterns[] = {"\x5D\x00\x09"sv, "\x00\x09\x00\x5B"sv, "\x00\x09\x00"sv,
                                       "\x00"sv, "\x00\x00"sv, "\x09"sv};
  std::uint32_t seed = 7;
  for (int round = 0; round < 20000; ++round) {
    seed = seed * 1664525u + 1013904223u;
    std::string s(seed % 24, 'x');
    for (char& byte : s) {
      seed = seed * 1664525u + 1013904223u;
      byte = alphabet[(seed >> 16) % sizeof alphabet];
    }
    for (const std::string_view pattern : patterns) {
      const std::size_t at = std::string_view(s).find(pattern);
      const std::int64_t expected =
          at == std::string_view::npos ? 0 : static_cast<std::int64_t>(at) + 1;
      ASSERT_EQ(FindBytes(pattern, s), expected) << ::testing::PrintToString(s);
    }
  }
}

}  // namespace
}  // namespace tablecore
