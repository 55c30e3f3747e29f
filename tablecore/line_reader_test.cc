#include "tablecore/line_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "tablecore/errors.h"
#include "tablecore/testing/program_runner.h"

namespace tablecore {
namespace {

using namespace std::string_view_literals;
using testing::ScratchDir;

// Reads a file the way the run frame does: one byte skipped before the loop,
// then one byte skipped in front of every line.
std::vector<std::string> FrameLines(std::string_view bytes, std::size_t block_size) {
  ScratchDir dir;
  dir.WriteFile("data.txt", bytes);
  LineReader reader(block_size);
  reader.Open(dir.PathOf("data.txt").c_str());
  std::vector<std::string> lines;
  reader.SkipByte();
  while (!reader.AtEnd()) {
    reader.SkipByte();
    lines.push_back(reader.ReadLine());
  }
  reader.Close();
  return lines;
}

struct ReaderCase {
  const char* name;
  std::string_view bytes;
  std::vector<std::string_view> lines;
};

const ReaderCase kReaderCases[] = {
    {"two lines with CR LF",
     "\xFF\xFE" "a\0b\0\r\0\n\0" "c\0\r\0\n\0"sv,
     {"a\0b\0\0"sv, "c\0\0"sv, ""sv}},
    {"no final line break", "\xFF\xFE" "a\0b\0\r\0\n\0" "c\0"sv, {"a\0b\0\0"sv, "c\0"sv}},
    {"LF alone", "\xFF\xFE" "a\0b\0\n\0" "c\0"sv, {"a\0b\0"sv, "c\0"sv}},
    {"empty file", ""sv, {}},
    {"one byte", "\xFF"sv, {}},
    {"byte-order mark alone", "\xFF\xFE"sv, {""sv}},
    {"1A first", "\x1A\xFE" "a\0"sv, {}},
    {"1A as second byte", "\xFF\x1A" "a\0"sv, {}},
    {"1A inside a line ends the data", "\xFF\xFE" "a\0\x1A\0b\0\r\0\n\0" "c\0"sv, {"a\0"sv}},
    {"1A at the start of a line",
     "\xFF\xFE" "a\0\r\0\n\0\x1A\0" "c\0"sv,
     {"a\0\0"sv, ""sv}},
    {"lone CR is dropped and the line goes on",
     "\xFF\xFE" "a\0\r\0b\0\r\0\n\0"sv,
     {"a\0\0b\0\0"sv, ""sv}},
    {"code unit with a 0A byte splits the line",
     "\xFF\xFE" "a\0\x0A\x4E" "b\0\r\0\n\0"sv,
     {"a\0"sv, "b\0\0"sv, ""sv}},
    {"code unit with a 0D byte loses it",
     "\xFF\xFE" "a\0\x0D\x4E" "b\0\r\0\n\0"sv,
     {"a\0\x4E" "b\0\0"sv, ""sv}},
    {"no byte-order mark loses the first character",
     "a\0b\0\r\0\n\0"sv,
     {"b\0\0"sv, ""sv}},
    {"CR without LF runs on to the end", "\xFF\xFE" "a\0\r\0b\0\r\0"sv, {"a\0\0b\0\0"sv}},
    {"empty lines", "\xFF\xFE\r\0\n\0\r\0\n\0"sv, {"\0"sv, "\0"sv, ""sv}},
};

class LineReaderCases : public ::testing::TestWithParam<std::size_t> {};

// Every case with blocks small enough to split lines, CR and LF everywhere:
// the block size must have no effect on the lines.
TEST_P(LineReaderCases, LinesFollowTheByteRules) {
  for (const ReaderCase& c : kReaderCases) {
    std::vector<std::string> expected(c.lines.begin(), c.lines.end());
    EXPECT_EQ(FrameLines(c.bytes, GetParam()), expected) << c.name;
  }
}

INSTANTIATE_TEST_SUITE_P(BlockSizes, LineReaderCases,
                         ::testing::Values(1, 2, 3, 5, LineReader::kDefaultBlockSize));

TEST(LineReaderTest, LongLinesHaveNoLimit) {
  std::string text(2 * 300, 'x');
  std::string bytes = "\xFF\xFE" + text + std::string("\r\0\n\0", 4);
  const auto lines = FrameLines(bytes, 64);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].size(), 601u);

  // Several blocks of the default size in one line.
  const std::string big(3 * LineReader::kDefaultBlockSize + 7, 'y');
  const auto big_lines = FrameLines("\xFF\xFE" + big, LineReader::kDefaultBlockSize);
  ASSERT_EQ(big_lines.size(), 1u);
  EXPECT_EQ(big_lines[0], big);
}

TEST(LineReaderTest, OpenFailuresRaiseFileErrorWithTheirMessages) {
  ScratchDir dir;
  struct Case {
    std::string path;
    const char* message;
  };
  dir.WriteFile("file", "x");
  const Case cases[] = {
      {dir.PathOf("missing.txt"), "File not found"},
      {dir.path(), "File access denied"},
      {dir.PathOf("file/below"), "Invalid filename"},
  };
  for (const Case& c : cases) {
    LineReader reader;
    try {
      reader.Open(c.path.c_str());
      ADD_FAILURE() << c.path << " opened";
    } catch (const RunError& error) {
      EXPECT_EQ(error.kind(), ErrorKind::FileError);
      EXPECT_EQ(error.message(), c.message) << c.path;
      EXPECT_NE(error.code(), 0);
    }
  }
}

}  // namespace
}  // namespace tablecore

namespace tablecore {
namespace {

// The word-at-a-time search against a plain byte loop, on random bytes that
// are dense in the control bytes and their neighbours.
TEST(LineReaderTest, ControlByteSearchMatchesAPlainLoop) {
  const char alphabet[] = {0x00, 0x09, 0x0A, 0x0B, 0x0D, 0x1A, 0x1B, 0x2A, 'a',
                           static_cast<char>(0x8A), static_cast<char>(0xFF)};
  std::uint32_t seed = 12345;
  for (int round = 0; round < 20000; ++round) {
    seed = seed * 1664525u + 1013904223u;
    std::string bytes(seed % 40, 'x');
    for (char& byte : bytes) {
      seed = seed * 1664525u + 1013904223u;
      // Mostly plain bytes, so that runs of whole words occur.
      byte = (seed >> 28) < 13 ? 'q' : alphabet[(seed >> 8) % sizeof alphabet];
    }
    std::size_t expected = 0;
    while (expected < bytes.size() && bytes[expected] != 0x0A && bytes[expected] != 0x0D &&
           bytes[expected] != 0x1A) {
      ++expected;
    }
    ASSERT_EQ(FindLineControlByte(bytes), expected) << ::testing::PrintToString(bytes);
  }
}

}  // namespace
}  // namespace tablecore
