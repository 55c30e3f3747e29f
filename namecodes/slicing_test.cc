#include "namecodes/slicing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "tablecore/testing/program_runner.h"

namespace namecodes {
namespace {

using namespace std::string_literals;
using tablecore::testing::Utf16Le;

// A data line as the reader hands it on: the text followed by CR LF, with
// every 0D byte left out and the line's 0A removed, so the high byte of the
// CR stays at the end.
std::string LineAsRead(std::u16string_view text) {
  std::string bytes = Utf16Le(text) + Utf16Le(u"\r");
  bytes.erase(std::remove(bytes.begin(), bytes.end(), '\x0D'), bytes.end());
  return bytes;
}

// The pieces of a regular record: the name without the high byte of its
// "]", the id behind the high byte of the TAB in front of it.
std::string Name(std::u16string_view bracketed) {
  std::string bytes = Utf16Le(bracketed);
  bytes.pop_back();
  return bytes;
}
std::string Id(std::u16string_view id) { return "\x00"s + Utf16Le(id); }

struct Pieces {
  std::string name;
  std::string id;
  bool keeps_step;
};

struct SliceCase {
  const char* label;
  std::string line;
  std::optional<Pieces> expected;  // nullopt: no result
};

void PrintTo(const SliceCase& c, std::ostream* os) { *os << c.label; }

std::vector<SliceCase> SliceCases() {
  return {
      // The 55-byte record: keyword, TAB, etc, TAB, 42, TAB, [cup], TAB, w=1,
      // CR LF.
      {"worked_example",
       "\x69\x00\x74\x00\x65\x00\x6D\x00\x5F\x00\x62\x00\x65\x00\x67\x00\x69\x00\x6E\x00"
       "\x09\x00\x65\x00\x74\x00\x63\x00\x09\x00\x34\x00\x32\x00\x09\x00"
       "\x5B\x00\x63\x00\x75\x00\x70\x00\x5D\x00\x09\x00\x77\x00\x3D\x00\x31\x00\x00"s,
       Pieces{"\x5B\x00\x63\x00\x75\x00\x70\x00\x5D"s, "\x00\x34\x00\x32\x00"s, true}},
      // The last line of a file, without the CR's high byte.
      {"without_line_break", Utf16Le(u"item_begin\tetc\t42\t[cup]\tw=1"),
       Pieces{Name(u"[cup]"), Id(u"42"), true}},
      {"no_bracket_followed_by_tab", LineAsRead(u"item_begin\tetc\t42\t[cup]"), std::nullopt},
      {"no_tab_followed_by_bracket", LineAsRead(u"item_begin\tetc\t42\tcup]\tw=1"),
       std::nullopt},
      {"no_field_tab_before_name", LineAsRead(u"item_begin\t[a]\tz"), std::nullopt},
      {"one_field_tab_before_name", LineAsRead(u"item_begin\t7\t[a]\tz"), std::nullopt},
      {"empty_id", LineAsRead(u"item_begin\tetc\t\t[a]\tz"), Pieces{Name(u"[a]"), Id(u""), true}},
      {"empty_field_2", LineAsRead(u"item_begin\t\t42\t[a]\tz"),
       Pieces{Name(u"[a]"), Id(u"42"), true}},
      {"extra_field_joins_the_id", LineAsRead(u"item_begin\tq\t7\tr\t[a]\tz"),
       Pieces{Name(u"[a]"), Id(u"7\tr"), true}},
      {"tab_inside_brackets", LineAsRead(u"item_begin\tq\t7\t[a\tb]\tz"),
       Pieces{Name(u"[a\tb]"), Id(u"7"), true}},
      {"bracket_not_followed_by_tab", LineAsRead(u"item_begin\tq\t7\t[a]b]\tz"),
       Pieces{Name(u"[a]b]"), Id(u"7"), true}},
      {"earlier_bracketed_field_is_the_name", LineAsRead(u"item_begin\ta\tb\t[c]\t[d]\tz"),
       Pieces{Name(u"[c]"), Id(u"b"), true}},
      {"earlier_bracketed_field_too_few_tabs", LineAsRead(u"item_begin\t[c]\t[d]\tz"),
       std::nullopt},
      // 5D 00 09 04: the low byte of U+0409 passes for a TAB.
      {"bracket_then_u0409", LineAsRead(u"item_begin\tq\t7\t[a]\u0409b]\tz"),
       Pieces{Name(u"[a]"), Id(u"7"), true}},
      // 00 09 00 5B 04: the low byte of U+045B passes for "[".
      {"tab_then_u045b", LineAsRead(u"item_begin\tq\t7\t\u045Ba]\tz"),
       Pieces{Name(u"\u045Ba]"), Id(u"7"), true}},
      // A TAB behind a character above U+00FF is no field boundary.
      {"field_2_ends_above_u00ff", LineAsRead(u"item_begin\tq\u0100\t7\t[a]\tz"), std::nullopt},
      {"id_ends_above_u00ff", LineAsRead(u"item_begin\tq\t7\u0100\t[a]\tz"), std::nullopt},
      {"characters_above_u00ff_inside", LineAsRead(u"item_begin\tq\t\u4E00x\t[\u00E9\u4E2D]\tz"),
       Pieces{Name(u"[\u00E9\u4E2D]"), Id(u"\u4E00x"), true}},
      // Matches that start on a high byte, next to U+0900.
      {"name_end_off_boundary", LineAsRead(u"item_begin\tq\t7\t[a\u5D41\u0900]\tz"),
       Pieces{"\x5B\x00\x61\x00\x41\x5D"s, Id(u"7"), false}},
      {"name_start_off_boundary", LineAsRead(u"item_begin\tq\t7\u0900\u5B00a]\tz"),
       Pieces{"\x5B\x61\x00\x5D"s, "\x00\x37\x00\x00"s, false}},
      {"field_off_boundary", LineAsRead(u"item_begin\tq\u0900\u4100\t7\t[a]\tz"),
       Pieces{Name(u"[a]"), "\x00\x41\x09\x00\x37\x00"s, false}},
      // A lone CR loses its 0D and keeps its 00.
      {"cr_inside_name", LineAsRead(u"item_begin\tq\t7\t[a\rb]\tz"),
       Pieces{"\x5B\x00\x61\x00\x00\x62\x00\x5D"s, Id(u"7"), false}},
      {"cr_inside_id", LineAsRead(u"item_begin\tq\t7\r8\t[a]\tz"),
       Pieces{Name(u"[a]"), "\x00\x37\x00\x00\x38\x00"s, false}},
      // In field 2 it shifts everything behind it by one byte alike, and the
      // pieces come out whole.
      {"cr_inside_field_2", LineAsRead(u"item_begin\tq\rr\t7\t[a]\tz"),
       Pieces{Name(u"[a]"), Id(u"7"), true}},
  };
}

class SliceNameAndIdTest : public ::testing::TestWithParam<SliceCase> {};

TEST_P(SliceNameAndIdTest, CutsThePieces) {
  const SliceCase& c = GetParam();
  const std::optional<NameAndId> pieces = SliceNameAndId(c.line);
  if (!c.expected) {
    EXPECT_FALSE(pieces.has_value());
    return;
  }
  ASSERT_TRUE(pieces.has_value());
  EXPECT_EQ(pieces->name_piece, c.expected->name);
  EXPECT_EQ(pieces->id_piece, c.expected->id);
  EXPECT_EQ(PiecesKeepStep(*pieces), c.expected->keeps_step);
}

INSTANTIATE_TEST_SUITE_P(Records, SliceNameAndIdTest, ::testing::ValuesIn(SliceCases()),
                         [](const ::testing::TestParamInfo<SliceCase>& case_info) {
                           return std::string(case_info.param.label);
                         });

// The fixture helper builds lines exactly as the reader yields them.
TEST(LineAsReadTest, GivesTheWorkedExampleLine) {
  EXPECT_EQ(SliceCases().front().line.size(), 55u);
  EXPECT_EQ(SliceCases().front().line, LineAsRead(u"item_begin\tetc\t42\t[cup]\tw=1"));
}

}  // namespace
}  // namespace namecodes
