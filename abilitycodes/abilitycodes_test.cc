// The skill converter end to end: the built program run in scratch
// directories on small data files.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <initializer_list>
#include <string>
#include <string_view>

#include "tablecore/testing/program_runner.h"

namespace abilitycodes {
namespace {

using namespace std::string_view_literals;
using tablecore::testing::RunOptions;
using tablecore::testing::RunProgram;
using tablecore::testing::RunResult;
using tablecore::testing::ScratchDir;
using tablecore::testing::ParseErrorReport;
using tablecore::testing::Utf16Le;
using tablecore::testing::WithBom;

constexpr std::string_view kBom = "\xFF\xFE"sv;
constexpr std::string_view kLineEnd = "\r\0\n\0"sv;

// A table file: the mark, then every line with its line break.
std::string Table(std::initializer_list<std::u16string_view> lines) {
  std::string table(kBom);
  for (const std::u16string_view line : lines) {
    table += Utf16Le(line);
    table += kLineEnd;
  }
  return table;
}

RunResult RunConverter(const ScratchDir& dir, const RunOptions& options = {}) {
  return RunProgram(ABILITYCODES_PATH, dir, options);
}

void ExpectFinished(const RunResult& result) {
  EXPECT_EQ(result.standard_output, "Finished.\r\n");
  EXPECT_EQ(result.standard_error, "");
  EXPECT_EQ(result.exit_status, 0);
}

void ExpectReport(const RunResult& result, std::string_view kind, std::string_view message) {
  const auto report = ParseErrorReport(result.standard_error);
  ASSERT_TRUE(report) << result.standard_error;
  EXPECT_EQ(report->kind, kind);
  EXPECT_EQ(report->program, "abilitycodes");
  EXPECT_EQ(report->message, message);
  EXPECT_EQ(result.standard_output, "");
  EXPECT_EQ(result.exit_status, 1);
}

constexpr std::u16string_view kExampleRecord =
    u"skill_begin\tskill_name=[s_test]\tskill_id=3\tlevel=2\toperate_type=A1\tcast_range=40"
    u"\thp_consume=0\tmp_consume1=0\tmp_consume2=10\teffect_point=-100\tabnormal_lv=1"
    u"\tis_magic=0\ttarget_type=enemy\tattribute=attr_fire\tabnormal_type=stun"
    u"\tskill_hit_time=1.08\treuse_delay=11\tskill_hit_cancel_time=0.5\tskill_cool_time=0"
    u"\tskill_end";
constexpr std::u16string_view kExampleName = u"[s_test] = 770";
constexpr std::u16string_view kExampleParams = u"770 40 0 10 3 -100 12 41 1 2 9 0 -12345";

TEST(AbilitycodesTest, ExampleRecordAndTheFinalLineBreak) {
  ScratchDir dir;
  dir.WriteFile("skilldata.txt", WithBom(std::u16string(kExampleRecord) + u"\r\n"));
  ExpectFinished(RunConverter(dir));
  // The empty line after the final line break repeats the record's lines.
  EXPECT_EQ(dir.ReadFile("skill_pch.txt"), Table({kExampleName, kExampleName}));
  EXPECT_EQ(dir.ReadFile("skill_pch2.txt"), Table({kExampleParams, kExampleParams}));
}

TEST(AbilitycodesTest, EveryDataLineGivesOneLineInEachTable) {
  ScratchDir dir;
  dir.WriteFile("skilldata.txt",
                WithBom(u"// skills of the test realm\r\n"
                     u"\r\n" +
                     std::u16string(kExampleRecord) +
                     u"\r\n"
                     u"\r\n"
                     u"SKILL_BEGIN\tskill_id=9\tlevel=9\tx\r\n"
                     u"skill_begin\r\n"
                     u"skill_beginning\tskill_name=[\u706B\u7403]\tskill_id=1\tlevel=1\tx\r\n"
                     u"skill_end"));
  ExpectFinished(RunConverter(dir));
  // Empty lines until the first record; a line that is no record repeats the
  // latest record's lines; the last line has no line break, so no extra pass.
  EXPECT_EQ(dir.ReadFile("skill_pch.txt"),
            Table({u"", u"", kExampleName, kExampleName, kExampleName, u"0 = 0",
                   u"[\u706B\u7403] = 257", u"[\u706B\u7403] = 257"}));
  constexpr std::u16string_view kKeywordAlone = u"0 0 0 0 0 0 0 -1 0 0 0 0 -12345";
  constexpr std::u16string_view kBeginning = u"257 0 0 0 0 0 0 -1 0 0 0 0 -12345";
  EXPECT_EQ(dir.ReadFile("skill_pch2.txt"),
            Table({u"", u"", kExampleParams, kExampleParams, kExampleParams, kKeywordAlone,
                   kBeginning, kBeginning}));
}

TEST(AbilitycodesTest, DataWithoutRecords) {
  const struct {
    const char* name;
    std::string data;
    std::string table;
  } cases[] = {
      {"empty file", "", std::string(kBom)},
      {"the mark alone", std::string(kBom), Table({u""})},
      {"comment lines", WithBom(u"a\r\nb\r\n"), Table({u"", u"", u""})},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ScratchDir dir;
    dir.WriteFile("skilldata.txt", c.data);
    ExpectFinished(RunConverter(dir));
    EXPECT_EQ(dir.ReadFile("skill_pch.txt"), c.table);
    EXPECT_EQ(dir.ReadFile("skill_pch2.txt"), c.table);
  }
}

TEST(AbilitycodesTest, BadValueInTheThirdRecordStopsTheRun) {
  // The failing record holds the bad field in the middle, or, for the
  // value without terminator, at its very end.
  const struct {
    std::u16string_view fields;
    std::string_view kind;
    std::string_view message;
  } cases[] = {
      {u"skill_id=abc\tskill_end", "ConvertError", "'abc' is not a valid integer value."},
      {u"level=\u00E42\tskill_end", "ConvertError",
       "'\xC3\xA4"
       "2' is not a valid integer value."},
      {u"reuse_delay=1,5\tskill_end", "ConvertError", "'1,5' is not a valid floating point value."},
      {u"skill_cool_time=1e5000\tskill_end", "ConvertError",
       "'1e5000' is not a valid floating point value."},
      {u"reuse_delay=1e300\tskill_end", "FloatOverflowError", "Floating point overflow."},
      {u"mp_consume1=1e19\tskill_end", "FloatInvalidError", "Invalid floating point operation."},
      {u"is_magic=1", "GeneralError", "Error in parsing skilldata."},
  };
  const std::u16string second = u"skill_begin\tskill_name=[second]\tskill_id=4\tx";
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.kind) + ": " + std::string(c.message));
    ScratchDir dir;
    const std::u16string third = u"skill_begin\tskill_name=[third]\t" + std::u16string(c.fields);
    dir.WriteFile("skilldata.txt",
                  WithBom(std::u16string(kExampleRecord) + u"\r\n" + second + u"\r\n" + third +
                       u"\r\n" + std::u16string(kExampleRecord)));
    ExpectReport(RunConverter(dir), c.kind, c.message);
    EXPECT_EQ(dir.ReadFile("skill_pch.txt"), Table({kExampleName, u"[second] = 1024"}));
    EXPECT_EQ(dir.ReadFile("skill_pch2.txt"),
              Table({kExampleParams, u"1024 0 0 0 0 0 0 -1 0 0 0 0 -12345"}));
  }
}

TEST(AbilitycodesTest, MissingDataFileLeavesBothTablesEmptied) {
  ScratchDir dir;
  dir.WriteFile("skill_pch.txt", "old names");
  dir.WriteFile("skill_pch2.txt", "old parameters");
  ExpectReport(RunConverter(dir), "FileError", "File not found.");
  EXPECT_EQ(dir.ReadFile("skill_pch.txt"), kBom);
  EXPECT_EQ(dir.ReadFile("skill_pch2.txt"), kBom);
}

TEST(AbilitycodesTest, ReadOnlyParameterTable) {
  ScratchDir dir;
  dir.WriteFile("skilldata.txt", WithBom(kExampleRecord));
  dir.WriteFile("skill_pch.txt", "old names");
  dir.WriteFile("skill_pch2.txt", "old parameters");
  ASSERT_EQ(::chmod(dir.PathOf("skill_pch.txt").c_str(), 0666), 0);
  ASSERT_EQ(::chmod(dir.PathOf("skill_pch2.txt").c_str(), 0444), 0);
  ExpectReport(RunConverter(dir, {.as_unprivileged_user = true}), "FileError",
               "File access denied.");
  EXPECT_EQ(dir.ReadFile("skill_pch.txt"), kBom);
  EXPECT_EQ(dir.ReadFile("skill_pch2.txt"), "old parameters");
}

}  // namespace
}  // namespace abilitycodes
