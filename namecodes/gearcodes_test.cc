// End-to-end tests of gearcodes: the built program runs in a scratch
// directory on an "itemdata.txt" made for the test.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "tablecore/testing/program_runner.h"

namespace {

using tablecore::testing::RunOptions;
using tablecore::testing::RunProgram;
using tablecore::testing::RunResult;
using tablecore::testing::ScratchDir;
using tablecore::testing::ClosingErrorLine;
using tablecore::testing::ParseErrorReport;
using tablecore::testing::Utf16Le;
using tablecore::testing::WithBom;

constexpr const char* kDataFile = "itemdata.txt";
constexpr const char* kTableFile = "item_pch.txt";
constexpr const char* kFinished = "Finished.\r\n";

// Large byte strings are compared without printing them whole.
void ExpectSameBytes(const std::string& actual, const std::string& expected) {
  if (actual.size() < 4096 && expected.size() < 4096) {
    EXPECT_EQ(actual, expected);
    return;
  }
  ASSERT_EQ(actual.size(), expected.size());
  const auto [at, unused] = std::mismatch(actual.begin(), actual.end(), expected.begin());
  EXPECT_TRUE(at == actual.end()) << "first difference at byte " << (at - actual.begin());
}

// Lines read as item records, for the cases below.
const std::u16string kCup = u"item_begin\tetc\t42\t[cup]\tw=1";
const std::u16string kSword = u"item_begin\tweapon\t7\t[sword]\ttype=weapon\titem_end";
const std::u16string kShield = u"item_begin\tarmor\t8\t[shield]\ttype=armor\titem_end";
// A record whose bracketed name is its last field: it cannot be sliced.
const std::u16string kNameLast = u"item_begin\tetc\t9\t[ring]";

struct ItemCase {
  const char* label;
  std::string data;   // the bytes of itemdata.txt
  std::string table;  // the expected bytes of item_pch.txt
  std::string output; // the expected standard output
};

void PrintTo(const ItemCase& c, std::ostream* os) { *os << c.label; }

std::vector<ItemCase> ItemCases() {
  const std::u16string crlf = u"\r\n";
  return {
      {"worked_example", WithBom(kCup + crlf), WithBom(u"[cup] = 42\r\n"), kFinished},
      {"only_bom", WithBom(u""), WithBom(u""), kFinished},
      {"three_records", WithBom(kCup + crlf + kSword + crlf + kShield + crlf),
       WithBom(u"[cup] = 42\r\n[sword] = 7\r\n[shield] = 8\r\n"), kFinished},
      {"three_records_without_final_line_break", WithBom(kCup + crlf + kSword + crlf + kShield),
       WithBom(u"[cup] = 42\r\n[sword] = 7\r\n[shield] = 8\r\n"), kFinished},
      // Skipped lines do not count: the failing record is the sixth line but
      // the third record.
      {"other_lines_skipped_and_not_counted",
       WithBom(u"// weapons\r\n" + kCup + crlf + u"\r\n" + u"npc_begin\tx\t1\t[elf]\tz\r\n" +
               u"ITEM_BEGIN\tx\t1\t[elf]\tz\r\n" + kSword + crlf + kNameLast + crlf + kShield +
               crlf),
       WithBom(u"[cup] = 42\r\n[sword] = 7\r\n"), ClosingErrorLine(3)},
      {"comment_good_unsliceable_good",
       WithBom(u"// items\r\n" + kCup + crlf + kNameLast + crlf + kSword + crlf),
       WithBom(u"[cup] = 42\r\n"), ClosingErrorLine(2)},
      // The data is at its end when the failing record stops the loop.
      {"unsliceable_last_line_without_line_break",
       WithBom(u"// items\r\n" + kCup + crlf + kNameLast), WithBom(u"[cup] = 42\r\n"), kFinished},
      {"unsliceable_first_record", WithBom(u"item_begin\t[a]\tz\r\n" + kCup + crlf), WithBom(u""),
       ClosingErrorLine(1)},
      {"keyword_followed_by_x", WithBom(u"item_beginX\tq\t7\t[a]\tz\r\n"), WithBom(u"[a] = 7\r\n"),
       kFinished},
      {"empty_field_2", WithBom(u"item_begin\t\t42\t[cup]\tz\r\n"), WithBom(u"[cup] = 42\r\n"),
       kFinished},
      {"empty_id", WithBom(u"item_begin\tetc\t\t[a]\tz\r\n"), WithBom(u"[a] = \r\n"), kFinished},
      {"extra_field_joins_the_id", WithBom(u"item_begin\tq\t7\tr\t[a]\tz\r\n"),
       WithBom(u"[a] = 7\tr\r\n"), kFinished},
      {"tab_and_bracket_inside_name", WithBom(u"item_begin\tq\t7\t[a\tb]c]\tz\r\n"),
       WithBom(u"[a\tb]c] = 7\r\n"), kFinished},
      {"earlier_bracketed_field_is_the_name", WithBom(u"item_begin\ta\tb\t[c]\t[d]\tz\r\n"),
       WithBom(u"[c] = b\r\n"), kFinished},
      {"bracket_then_u0409", WithBom(u"item_begin\tq\t7\t[a]\u0409b]\tz\r\n"),
       WithBom(u"[a] = 7\r\n"), kFinished},
      {"name_starts_with_u045b", WithBom(u"item_begin\tq\t7\t\u045Ba]\tz\r\n"),
       WithBom(u"\u045Ba] = 7\r\n"), kFinished},
      {"ids_copied_as_they_are",
       WithBom(u"item_begin\tq\t1234567\t[a]\tz\r\nitem_begin\tq\t007\t[b]\tz\r\n"
               u"item_begin\tq\tx-Y_z\t[c]\tz\r\n"),
       WithBom(u"[a] = 1234567\r\n[b] = 007\r\n[c] = x-Y_z\r\n"), kFinished},
      {"names_above_u00ff", WithBom(u"item_begin\tq\t\u4E00\u00E9\t[\u00E9p\u00E9e_\u5263]\tz\r\n"),
       WithBom(u"[\u00E9p\u00E9e_\u5263] = \u4E00\u00E9\r\n"), kFinished},
      {"field_2_ends_above_u00ff",
       WithBom(kCup + crlf + u"item_begin\tq\u0100\t7\t[a]\tz\r\n" + kSword + crlf),
       WithBom(u"[cup] = 42\r\n"), ClosingErrorLine(2)},
      {"id_ends_above_u00ff",
       WithBom(kCup + crlf + u"item_begin\tq\t7\u0100\t[a]\tz\r\n" + kSword + crlf),
       WithBom(u"[cup] = 42\r\n"), ClosingErrorLine(2)},
      // A match on a high byte next to U+0900 would shift the table by a byte.
      {"off_boundary_match_stops",
       WithBom(kCup + crlf + u"item_begin\tq\t7\t[a\u5D41\u0900]\tz\r\n" + kSword + crlf),
       WithBom(u"[cup] = 42\r\n"), ClosingErrorLine(2)},
      {"cr_inside_name_stops", WithBom(kCup + crlf + u"item_begin\tq\t7\t[a\rb]\tz\r\n"),
       WithBom(u"[cup] = 42\r\n"), ClosingErrorLine(2)},
      {"cr_inside_id_stops", WithBom(kCup + crlf + u"item_begin\tq\t7\r8\t[a]\tz\r\n"),
       WithBom(u"[cup] = 42\r\n"), ClosingErrorLine(2)},
      {"cr_inside_field_2_converts", WithBom(u"item_begin\tq\rr\t7\t[a]\tz\r\n"),
       WithBom(u"[a] = 7\r\n"), kFinished},
      // A 1A ends the data: in the middle of a line it cuts that line
      // (here inside the name, so the record cannot be sliced, at the end of
      // the data); at the start of a line nothing more is read.
      {"eof_byte_inside_line",
       WithBom(kCup + crlf + u"item_begin\tq\t7\t[a\u001Ab]\tz\r\n" + kSword + crlf),
       WithBom(u"[cup] = 42\r\n"), kFinished},
      {"eof_byte_between_lines", WithBom(kCup + crlf + u"\u001A" + kSword + crlf),
       WithBom(u"[cup] = 42\r\n"), kFinished},
      // Without byte-order mark the first character is lost, so the first
      // record fails the keyword test and is skipped.
      {"no_bom", Utf16Le(kCup + crlf + kSword + crlf), WithBom(u"[sword] = 7\r\n"), kFinished},
      {"lf_line_ends", WithBom(kCup + u"\n" + kSword + u"\n" + kNameLast + u"\n" + kShield + u"\n"),
       WithBom(u"[cup] = 42\r\n[sword] = 7\r\n"), ClosingErrorLine(3)},
  };
}

class GearcodesTest : public ::testing::TestWithParam<ItemCase> {};

TEST_P(GearcodesTest, WritesTheTable) {
  const ItemCase& c = GetParam();
  const ScratchDir dir;
  dir.WriteFile(kDataFile, c.data);
  const RunResult result = RunProgram(GEARCODES_PATH, dir);
  EXPECT_EQ(result.exit_status, 0);
  EXPECT_EQ(result.standard_output, c.output);
  EXPECT_EQ(result.standard_error, "");
  EXPECT_EQ(dir.ReadFile(kTableFile), c.table);
}

INSTANTIATE_TEST_SUITE_P(Items, GearcodesTest, ::testing::ValuesIn(ItemCases()),
                         [](const ::testing::TestParamInfo<ItemCase>& case_info) {
                           return std::string(case_info.param.label);
                         });

// Records whose name or id is megabytes long: the reader has no line limit.
TEST(GearcodesLongLineTest, CopiesMegabyteNameAndId) {
  const std::u16string name = u"[" + std::u16string(3 << 20, u'n') + u"]";
  const std::u16string id(2 << 20, u'5');
  const ScratchDir dir;
  dir.WriteFile(kDataFile, WithBom(u"item_begin\tq\t" + id + u"\t" + name + u"\tz\r\n" + kCup +
                                   u"\r\n"));
  const RunResult result = RunProgram(GEARCODES_PATH, dir);
  EXPECT_EQ(result.exit_status, 0);
  EXPECT_EQ(result.standard_output, kFinished);
  ExpectSameBytes(dir.ReadFile(kTableFile), WithBom(name + u" = " + id + u"\r\n[cup] = 42\r\n"));
}

// The wait for Enter ends at the first LF or at the end of the input.
TEST(GearcodesWaitTest, ExitsOnEnterOrEndOfInput) {
  for (const char* input : {"\n", "\nmore\n", "no line feed"}) {
    SCOPED_TRACE(input);
    const ScratchDir dir;
    dir.WriteFile(kDataFile, WithBom(kCup + u"\r\n"));
    const RunResult result = RunProgram(GEARCODES_PATH, dir, RunOptions{.standard_input = input});
    EXPECT_EQ(result.exit_status, 0);
    EXPECT_EQ(result.standard_output, kFinished);
    EXPECT_EQ(dir.ReadFile(kTableFile), WithBom(u"[cup] = 42\r\n"));
  }
}

// Runs that end on the failure path: the report on standard error, exit 1.
class GearcodesFaultTest : public ::testing::Test {
 protected:
  void ExpectReport(const RunResult& result, std::string_view message) {
    EXPECT_EQ(result.exit_status, 1);
    const auto report = ParseErrorReport(result.standard_error);
    ASSERT_TRUE(report) << result.standard_error;
    EXPECT_EQ(report->kind, "FileError");
    EXPECT_EQ(report->program, "gearcodes");
    EXPECT_EQ(report->message, std::string(message) + ".");
  }

  ScratchDir dir_;
};

TEST_F(GearcodesFaultTest, MissingDataFileEmptiesTheTable) {
  dir_.WriteFile(kTableFile, WithBom(u"[old] = 1\r\n"));
  const RunResult result = RunProgram(GEARCODES_PATH, dir_);
  ExpectReport(result, "File not found");
  EXPECT_EQ(result.standard_output, "");
  EXPECT_EQ(dir_.ReadFile(kTableFile), "\xFF\xFE");
}

TEST_F(GearcodesFaultTest, ReadOnlyTableIsLeftAlone) {
  const std::string old_table = WithBom(u"[old] = 1\r\n");
  dir_.WriteFile(kDataFile, WithBom(kCup + u"\r\n"));
  dir_.WriteFile(kTableFile, old_table);
  ASSERT_EQ(::chmod(dir_.PathOf(kTableFile).c_str(), 0444), 0);
  const RunResult result = RunProgram(GEARCODES_PATH, dir_, RunOptions{.as_unprivileged_user = true});
  ExpectReport(result, "File access denied");
  EXPECT_EQ(result.standard_output, "");
  EXPECT_EQ(dir_.ReadFile(kTableFile), old_table);
}

TEST_F(GearcodesFaultTest, DirectoryInPlaceOfTheTable) {
  dir_.WriteFile(kDataFile, WithBom(kCup + u"\r\n"));
  std::filesystem::create_directory(dir_.PathOf(kTableFile));
  const RunResult result = RunProgram(GEARCODES_PATH, dir_);
  ExpectReport(result, "File access denied");
  EXPECT_EQ(result.standard_output, "");
}

TEST_F(GearcodesFaultTest, DirectoryInPlaceOfTheDataFile) {
  dir_.WriteFile(kTableFile, WithBom(u"[old] = 1\r\n"));
  std::filesystem::create_directory(dir_.PathOf(kDataFile));
  const RunResult result = RunProgram(GEARCODES_PATH, dir_);
  ExpectReport(result, "File access denied");
  EXPECT_EQ(result.standard_output, "");
  EXPECT_EQ(dir_.ReadFile(kTableFile), "\xFF\xFE");
}

// A small table fits the writer's buffer, so the full disk shows only when
// the table is closed, after the closing line.
TEST_F(GearcodesFaultTest, FullDiskAtClose) {
  dir_.WriteFile(kDataFile, WithBom(kCup + u"\r\n"));
  std::filesystem::create_symlink("/dev/full", dir_.PathOf(kTableFile));
  const RunResult result = RunProgram(GEARCODES_PATH, dir_);
  ExpectReport(result, "I/O error 28");
  EXPECT_EQ(result.standard_output, kFinished);
}

// A table larger than the buffer fails while records are written: no
// closing line.
TEST_F(GearcodesFaultTest, FullDiskDuringTheLoop) {
  std::u16string data;
  for (int i = 0; i < 5000; ++i) {
    const std::string number = std::to_string(i);
    const std::u16string id(number.begin(), number.end());
    data += u"item_begin\tetc\t" + id + u"\t[item_" + id + u"]\tw=1\r\n";
  }
  dir_.WriteFile(kDataFile, WithBom(data));
  std::filesystem::create_symlink("/dev/full", dir_.PathOf(kTableFile));
  const RunResult result = RunProgram(GEARCODES_PATH, dir_);
  ExpectReport(result, "I/O error 28");
  EXPECT_EQ(result.standard_output, "");
}

}  // namespace
