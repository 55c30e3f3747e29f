// The run frame, unit-tested for its report and end to end through the
// frameprobe program, whose data lines say what its handler does.
#include "tablecore/run_frame.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <string_view>

#include "tablecore/testing/program_runner.h"

namespace tablecore {
namespace {

using namespace std::string_view_literals;
using testing::RunOptions;
using testing::RunProgram;
using testing::RunResult;
using testing::ScratchDir;
using testing::Utf16Le;
using testing::WithBom;

constexpr std::string_view kBom = "\xFF\xFE"sv;
constexpr std::string_view kLineEnd = "\r\0\n\0"sv;

// What frameprobe copies for a data line: the line as read (with the CR's
// high byte when it ended with CR LF) and a line break.
std::string Copied(std::u16string_view text, bool ended_by_cr_lf = true) {
  return Utf16Le(text) + (ended_by_cr_lf ? std::string(1, '\0') : "") + std::string(kLineEnd);
}

TEST(ErrorReportTest, HasThreeLinesAndAddsAFullStopOnlyWhereMissing) {
  EXPECT_EQ(FormatErrorReport("FileError", "gearcodes", 0x1A2B, "File not found"),
            "Exception FileError in module gearcodes at 00001A2B.\r\nFile not found.\r\n\r\n");
  EXPECT_EQ(FormatErrorReport("GeneralError", "x", 0, "Error in parsing skilldata."),
            "Exception GeneralError in module x at 00000000.\r\nError in parsing skilldata.\r\n\r\n");
  EXPECT_EQ(FormatErrorReport("GeneralError", "x", 0xFFFFFFFF, ""),
            "Exception GeneralError in module x at FFFFFFFF.\r\n\r\n\r\n");
}

TEST(ErrorReportTest, CutsTheTextAfter1023CharactersBeforeTheFinalLineBreak) {
  const std::string head = "Exception ConvertError in module m at 00000010.\r\n";
  const std::string long_message(2000, 'z');
  const std::string report = FormatErrorReport("ConvertError", "m", 0x10, long_message);
  EXPECT_EQ(report, head + std::string(1023 - head.size(), 'z') + "\r\n");

  // Characters, not bytes, are counted, and none is cut in two.
  const std::string wide_message = std::string(1023 - head.size() - 1, 'z') + "\xC3\xA9\xC3\xA9";
  EXPECT_EQ(FormatErrorReport("ConvertError", "m", 0x10, wide_message),
            head + std::string(1023 - head.size() - 1, 'z') + "\xC3\xA9" + "\r\n");

  // Exactly 1023 characters stay whole.
  const std::string fits(1023 - head.size() - 3, 'z');
  EXPECT_EQ(FormatErrorReport("ConvertError", "m", 0x10, fits), head + fits + ".\r\n\r\n");
}

RunResult RunProbe(const ScratchDir& dir, const RunOptions& options = {}) {
  return RunProgram(FRAMEPROBE_PATH, dir, options);
}

// The report's first line names the kind, the program and an offset.
void ExpectReport(const RunResult& result, std::string_view kind, std::string_view message) {
  const auto report = testing::ParseErrorReport(result.standard_error);
  ASSERT_TRUE(report) << result.standard_error;
  EXPECT_EQ(report->kind, kind);
  EXPECT_EQ(report->program, "frameprobe");
  EXPECT_EQ(report->message, message);
  EXPECT_EQ(result.exit_status, 1);
}

TEST(RunFrameTest, ClosingLineAndTables) {
  struct Case {
    const char* name;
    std::string data;
    std::string_view output;
    std::string table;
  };
  const Case cases[] = {
      {"empty data file", "", "Finished.\r\n", std::string(kBom)},
      {"lines to the end", WithBom(u"a\r\nb\r\n"), "Finished.\r\n",
       std::string(kBom) + Copied(u"a") + Copied(u"b") + Copied(u"", false)},
      {"stop with lines left names the counter", WithBom(u"a\r\nb\r\nstop\r\nc\r\n"),
       "Error found in file at line 3.\r\n",
       std::string(kBom) + Copied(u"a") + Copied(u"b")},
      {"stop on the last line finishes", WithBom(u"stop"), "Finished.\r\n",
       std::string(kBom)},
      {"stop before the final line break's empty line",
       WithBom(u"stop\r\n").substr(0, 2 + 8 + 3), "Finished.\r\n", std::string(kBom)},
  };
  for (const Case& c : cases) {
    ScratchDir dir;
    dir.WriteFile("probedata.txt", c.data);
    const RunResult result = RunProbe(dir);
    EXPECT_EQ(result.standard_output, c.output) << c.name;
    EXPECT_EQ(result.standard_error, "") << c.name;
    EXPECT_EQ(result.exit_status, 0) << c.name;
    EXPECT_EQ(dir.ReadFile("probe1.txt"), c.table) << c.name;
    EXPECT_EQ(dir.ReadFile("probe2.txt"), kBom) << c.name;
  }
}

TEST(RunFrameTest, TheWaitEndsAtLineFeedOrEndOfInput) {
  for (const char* input : {"", "\n", "typed text\nmore\n", "no line feed", "\x1A"}) {
    ScratchDir dir;
    dir.WriteFile("probedata.txt", WithBom(u"a"));
    const RunResult result = RunProbe(dir, {.standard_input = input});
    EXPECT_EQ(result.standard_output, "Finished.\r\n");
    EXPECT_EQ(result.exit_status, 0);
  }
}

TEST(RunFrameTest, NoStandardInputCountsAsItsEnd) {
  ScratchDir dir;
  dir.WriteFile("probedata.txt", WithBom(u"a"));
  const RunResult result = RunProbe(dir, {.close_standard_input = true});
  EXPECT_EQ(result.standard_output, "Finished.\r\n");
  EXPECT_EQ(result.standard_error, "");
  EXPECT_EQ(result.exit_status, 0);
}

// The closing line waits in a buffer when standard output is no console;
// failing to write it out at the end is an error, not a success.
TEST(RunFrameTest, AFailedWriteOfTheClosingLineIsReported) {
  ScratchDir dir;
  dir.WriteFile("probedata.txt", WithBom(u"a"));
  const RunResult result = RunProbe(dir, {.standard_output_file = "/dev/full"});
  ExpectReport(result, "FileError", "I/O error 28.");
  EXPECT_EQ(dir.ReadFile("probe1.txt"), std::string(kBom) + Copied(u"a", false));
}

TEST(RunFrameTest, AnErrorLeavesEveryAppendedByteInTheTables) {
  ScratchDir dir;
  // Well over 128 bytes of lines, then an error.
  std::u16string text;
  for (int i = 0; i < 20; ++i) text += u"line of text\r\n";
  dir.WriteFile("probedata.txt", WithBom(text + u"raise boom\r\nnot reached\r\n"));
  const RunResult result = RunProbe(dir);
  ExpectReport(result, "GeneralError", "boom.");
  EXPECT_EQ(result.standard_output, "");
  std::string expected(kBom);
  for (int i = 0; i < 20; ++i) expected += Copied(u"line of text");
  EXPECT_EQ(dir.ReadFile("probe1.txt"), expected);
  EXPECT_EQ(dir.ReadFile("probe2.txt"), kBom);
}

TEST(RunFrameTest, MissingDataFileEmptiesEveryTableFirst) {
  ScratchDir dir;
  dir.WriteFile("probe1.txt", "old table one");
  dir.WriteFile("probe2.txt", "old table two");
  const RunResult result = RunProbe(dir);
  ExpectReport(result, "FileError", "File not found.");
  EXPECT_EQ(result.standard_output, "");
  EXPECT_EQ(dir.ReadFile("probe1.txt"), kBom);
  EXPECT_EQ(dir.ReadFile("probe2.txt"), kBom);
}

TEST(RunFrameTest, TablesAreCreatedInOrderBeforeTheDataFileIsOpened) {
  ScratchDir dir;
  // No data file: had it been opened first, the report would say so.
  dir.WriteFile("probe1.txt", "old table one");
  dir.WriteFile("probe2.txt", "old table two");
  ASSERT_EQ(::chmod(dir.PathOf("probe1.txt").c_str(), 0666), 0);
  ASSERT_EQ(::chmod(dir.PathOf("probe2.txt").c_str(), 0444), 0);
  const RunResult result = RunProbe(dir, {.as_unprivileged_user = true});
  ExpectReport(result, "FileError", "File access denied.");
  EXPECT_EQ(dir.ReadFile("probe1.txt"), kBom);
  EXPECT_EQ(dir.ReadFile("probe2.txt"), "old table two");
}

TEST(RunFrameTest, DirectoriesInPlaceOfFilesAreAccessDenied) {
  {
    ScratchDir dir;
    ASSERT_EQ(::mkdir(dir.PathOf("probedata.txt").c_str(), 0777), 0);
    const RunResult result = RunProbe(dir);
    ExpectReport(result, "FileError", "File access denied.");
    EXPECT_EQ(dir.ReadFile("probe1.txt"), kBom);
  }
  {
    ScratchDir dir;
    dir.WriteFile("probedata.txt", WithBom(u"a"));
    ASSERT_EQ(::mkdir(dir.PathOf("probe1.txt").c_str(), 0777), 0);
    const RunResult result = RunProbe(dir);
    ExpectReport(result, "FileError", "File access denied.");
    EXPECT_FALSE(dir.Exists("probe2.txt"));
  }
}

TEST(RunFrameTest, TooManyOpenFilesIsReported) {
  ScratchDir dir;
  dir.WriteFile("probedata.txt", WithBom(u"a"));
  // Standard input, output, error and the first table take all four
  // descriptors, so the second table cannot be created.
  const RunResult result = RunProbe(dir, {.open_files_limit = 4});
  ExpectReport(result, "FileError", "Too many open files.");
  EXPECT_EQ(dir.ReadFile("probe1.txt"), kBom);
  EXPECT_FALSE(dir.Exists("probe2.txt"));
}

TEST(RunFrameTest, AFullDiskAtClosingComesAfterTheClosingLine) {
  ScratchDir dir;
  dir.WriteFile("probedata.txt", WithBom(u"a\r\nb"));
  ASSERT_EQ(::symlink("/dev/full", dir.PathOf("probe2.txt").c_str()), 0);
  const RunResult result = RunProbe(dir);
  EXPECT_EQ(result.standard_output, "Finished.\r\n");
  ExpectReport(result, "FileError", "I/O error 28.");
  // The first table was closed before the second failed.
  EXPECT_EQ(dir.ReadFile("probe1.txt"),
            std::string(kBom) + Copied(u"a") + Copied(u"b", false));
}

TEST(RunFrameTest, AnExhaustedMemoryIsReported) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "the address sanitizer needs more address space than the limit allows";
#else
  ScratchDir dir;
  // One line of a gigabyte (the file is sparse, so it costs no disk) under a
  // limit of 256 MiB of address space.
  dir.WriteFile("probedata.txt", "");
  ASSERT_EQ(::truncate(dir.PathOf("probedata.txt").c_str(), 1LL << 30), 0);
  const RunResult result = RunProbe(dir, {.address_space_limit = 256ULL << 20});
  ExpectReport(result, "MemoryError", "Out of memory.");
  EXPECT_EQ(result.standard_output, "");
#endif
}

}  // namespace
}  // namespace tablecore
