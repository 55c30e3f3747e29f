#include "tablecore/utf16.h"

#include <gtest/gtest.h>

namespace tablecore {
namespace {

TEST(Utf16Test, ConvertsEveryRangeAndReplacesLoneSurrogates) {
  struct Case {
    std::u16string_view text;
    std::string_view utf8;
  };
  const Case cases[] = {
      {u"abc", "abc"},
      {u"\u00E9", "\xC3\xA9"},
      {u"\u4E0A", "\xE4\xB8\x8A"},
      {u"\U0001F600", "\xF0\x9F\x98\x80"},
      {u"a\xD800" "b", "a\xEF\xBF\xBD" "b"},
      {u"\xDC00", "\xEF\xBF\xBD"},
      {u"\xD800", "\xEF\xBF\xBD"},
  };
  for (const Case& c : cases) EXPECT_EQ(Utf16ToUtf8(c.text), c.utf8);
}

TEST(Utf16Test, TakesWholeCharactersOnly) {
  EXPECT_EQ(TakeUtf8Characters("abc", 2), "ab");
  EXPECT_EQ(TakeUtf8Characters("abc", 3), "abc");
  EXPECT_EQ(TakeUtf8Characters("abc", 9), "abc");
  EXPECT_EQ(TakeUtf8Characters("a\xC3\xA9z", 2), "a\xC3\xA9");
  EXPECT_EQ(TakeUtf8Characters("\xE4\xB8\x8A\xE4\xB8\x8A", 1), "\xE4\xB8\x8A");
  EXPECT_EQ(TakeUtf8Characters("abc", 0), "");
}

}  // namespace
}  // namespace tablecore
