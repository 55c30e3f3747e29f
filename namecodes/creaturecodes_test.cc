// End-to-end tests of creaturecodes: the built program runs in a scratch
// directory on an "npcdata.txt" made for the test.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "tablecore/testing/program_runner.h"

namespace {

using tablecore::testing::RunProgram;
using tablecore::testing::RunResult;
using tablecore::testing::ScratchDir;
using tablecore::testing::Utf16Le;
using tablecore::testing::WithBom;
using tablecore::testing::ClosingErrorLine;
using tablecore::testing::ParseErrorReport;

constexpr const char* kDataFile = "npcdata.txt";
constexpr const char* kTableFile = "npc_pch.txt";
constexpr const char* kFinished = "Finished.\r\n";


// An NPC record with the given id and name, ended by CR LF.
std::u16string Npc(std::u16string_view id, std::u16string_view name) {
  return u"npc_begin\torc\t" + std::u16string(id) + u"\t" + std::u16string(name) + u"\tz\r\n";
}

struct NpcCase {
  const char* label;
  std::string data;    // the bytes of npcdata.txt
  std::string table;   // the expected bytes of npc_pch.txt
  std::string output;  // the expected standard output
};

void PrintTo(const NpcCase& c, std::ostream* os) { *os << c.label; }

std::vector<NpcCase> NpcCases() {
  const std::u16string good = Npc(u"1", u"[guard]") + Npc(u"2", u"[smith]");
  const std::u16string good_table = u"[guard] = 1000001\r\n[smith] = 1000002\r\n";
  const std::u16string last = u"npc_begin\torc\t3\t[bard]\tz";
  return {
      {"worked_example", WithBom(Npc(u"25", u"[elf]")), WithBom(u"[elf] = 1000025\r\n"),
       kFinished},
      {"id_empty", WithBom(Npc(u"", u"[elf]")), WithBom(u"[elf] = 1000000\r\n"), kFinished},
      {"id_one_digit", WithBom(Npc(u"5", u"[elf]")), WithBom(u"[elf] = 1000005\r\n"), kFinished},
      {"id_six_digits", WithBom(Npc(u"123456", u"[elf]")), WithBom(u"[elf] = 1123456\r\n"),
       kFinished},
      {"id_leading_zeros", WithBom(Npc(u"007", u"[elf]")), WithBom(u"[elf] = 1000007\r\n"),
       kFinished},
      {"id_letters", WithBom(Npc(u"ab", u"[elf]")), WithBom(u"[elf] = 10000ab\r\n"), kFinished},
      // The TAB of an extra field is joined like any other character.
      {"extra_field_joins_the_id", WithBom(u"npc_begin\tq\t7\tr\t[a]\tz\r\n"),
       WithBom(u"[a] = 10007\tr\r\n"), kFinished},
      // Seven code units leave no prefix byte and would shift the table.
      {"id_seven_digits_stops",
       WithBom(Npc(u"1", u"[guard]") + Npc(u"1234567", u"[elf]") + Npc(u"2", u"[smith]")),
       WithBom(u"[guard] = 1000001\r\n"), ClosingErrorLine(2)},
      {"id_seven_digits_last_line_without_line_break",
       WithBom(Npc(u"1", u"[guard]") + u"npc_begin\torc\t1234567\t[elf]\tz"),
       WithBom(u"[guard] = 1000001\r\n"), kFinished},
      {"three_records", WithBom(good + Npc(u"3", u"[bard]")),
       WithBom(good_table + u"[bard] = 1000003\r\n"), kFinished},
      {"three_records_without_final_line_break", WithBom(good + last),
       WithBom(good_table + u"[bard] = 1000003\r\n"), kFinished},
      // Any line that is not an NPC record ends the loop, at its line number.
      {"comment_between_records",
       WithBom(Npc(u"1", u"[guard]") + u"// town\r\n" + Npc(u"2", u"[smith]")),
       WithBom(u"[guard] = 1000001\r\n"), ClosingErrorLine(2)},
      {"blank_line_between_records", WithBom(Npc(u"1", u"[guard]") + u"\r\n" + Npc(u"2", u"[smith]")),
       WithBom(u"[guard] = 1000001\r\n"), ClosingErrorLine(2)},
      {"item_record_between_records",
       WithBom(Npc(u"1", u"[guard]") + u"item_begin\tetc\t42\t[cup]\tw=1\r\n" +
               Npc(u"2", u"[smith]")),
       WithBom(u"[guard] = 1000001\r\n"), ClosingErrorLine(2)},
      {"first_line_comment", WithBom(u"// npcs\r\n" + good), WithBom(u""), ClosingErrorLine(1)},
      {"non_record_last_line_without_line_break", WithBom(good + u"// end"),
       WithBom(good_table), kFinished},
      {"name_is_last_field",
       WithBom(good + u"npc_begin\torc\t3\t[bard]\r\n" + Npc(u"4", u"[monk]")),
       WithBom(good_table), ClosingErrorLine(3)},
      {"bracket_then_u0409", WithBom(Npc(u"5", u"[a]\u0409b]")), WithBom(u"[a] = 1000005\r\n"),
       kFinished},
      {"off_boundary_match_stops",
       WithBom(Npc(u"1", u"[guard]") + Npc(u"7", u"[a\u5D41\u0900]") + Npc(u"2", u"[smith]")),
       WithBom(u"[guard] = 1000001\r\n"), ClosingErrorLine(2)},
  };
}

class CreaturecodesTest : public ::testing::TestWithParam<NpcCase> {};

TEST_P(CreaturecodesTest, WritesTheTable) {
  const NpcCase& c = GetParam();
  const ScratchDir dir;
  dir.WriteFile(kDataFile, c.data);
  const RunResult result = RunProgram(CREATURECODES_PATH, dir);
  EXPECT_EQ(result.exit_status, 0);
  EXPECT_EQ(result.standard_output, c.output);
  EXPECT_EQ(result.standard_error, "");
  EXPECT_EQ(dir.ReadFile(kTableFile), c.table);
}

INSTANTIATE_TEST_SUITE_P(Npcs, CreaturecodesTest, ::testing::ValuesIn(NpcCases()),
                         [](const ::testing::TestParamInfo<NpcCase>& case_info) {
                           return std::string(case_info.param.label);
                         });

// The report names this program, and its own table is emptied.
TEST(CreaturecodesFaultTest, MissingDataFile) {
  const ScratchDir dir;
  dir.WriteFile(kTableFile, WithBom(u"[old] = 1000001\r\n"));
  const RunResult result = RunProgram(CREATURECODES_PATH, dir);
  EXPECT_EQ(result.exit_status, 1);
  EXPECT_EQ(result.standard_output, "");
  const auto report = ParseErrorReport(result.standard_error);
  ASSERT_TRUE(report) << result.standard_error;
  EXPECT_EQ(report->kind, "FileError");
  EXPECT_EQ(report->program, "creaturecodes");
  EXPECT_EQ(report->message, "File not found.");
  EXPECT_EQ(dir.ReadFile(kTableFile), "\xFF\xFE");
}

}  // namespace
