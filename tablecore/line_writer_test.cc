#include "tablecore/line_writer.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "tablecore/errors.h"
#include "tablecore/testing/program_runner.h"

namespace tablecore {
namespace {

using namespace std::string_view_literals;
using testing::ScratchDir;

TEST(LineWriterTest, WritesPiecesUnchangedWithMarkAndLineBreaks) {
  ScratchDir dir;
  LineWriter writer;
  writer.Create(dir.PathOf("t.txt").c_str());
  writer.WriteBom();
  // [a] = 7 cut into pieces that supply each other's missing bytes.
  writer.Write("\x5B\x00\x61\x00\x5D"sv);
  writer.Write("\x00\x20\x00\x3D\x00\x20"sv);
  writer.Write("\x00\x37\x00"sv);
  writer.WriteLineEnd();
  writer.WriteWide(u"\u4E0Ax");
  writer.WriteWide(u"");
  writer.Close();
  EXPECT_EQ(dir.ReadFile("t.txt"),
            "\xFF\xFE\x5B\x00\x61\x00\x5D\x00\x20\x00\x3D\x00\x20\x00\x37\x00\x0D\x00\x0A\x00"
            "\x0A\x4E\x78\x00"sv);
}

TEST(LineWriterTest, BytesReachTheFileInWholeBuffersAndTheRestAtClose) {
  ScratchDir dir;
  const std::string path = dir.PathOf("t.txt");
  LineWriter writer(128);
  writer.Create(path.c_str());
  EXPECT_EQ(dir.ReadFile("t.txt"), "");
  writer.WriteBom();
  writer.Write(std::string(125, 'a'));
  EXPECT_EQ(dir.ReadFile("t.txt").size(), 0u);
  writer.Write("b");  // the 128th byte
  EXPECT_EQ(dir.ReadFile("t.txt"), "\xFF\xFE" + std::string(125, 'a') + "b");
  writer.Write(std::string(300, 'c'));  // two more blocks and 44 bytes waiting
  EXPECT_EQ(dir.ReadFile("t.txt").size(), 384u);
  writer.Close();
  EXPECT_EQ(dir.ReadFile("t.txt").size(), 428u);
}

// Code units cross buffer boundaries whole or split, at even and odd fills.
TEST(LineWriterTest, WideTextAcrossBufferBoundariesKeepsEveryByte) {
  ScratchDir dir;
  std::u16string text;
  for (char16_t unit = 0x0100; unit < 0x0100 + 200; ++unit) text.push_back(unit);
  std::string expected = "x";
  for (const char16_t unit : text) {
    expected.push_back(static_cast<char>(unit & 0xFF));
    expected.push_back(static_cast<char>(unit >> 8));
  }
  expected += expected.substr(1);
  LineWriter writer(128);
  writer.Create(dir.PathOf("t.txt").c_str());
  writer.Write("x");  // an odd fill, so one code unit straddles each flush
  writer.WriteWide(text);
  writer.WriteWide(text);
  writer.Close();
  EXPECT_EQ(dir.ReadFile("t.txt"), expected);
}

TEST(LineWriterTest, FlushIgnoringErrorsWritesWaitingBytesAndKeepsTheFileOpen) {
  ScratchDir dir;
  LineWriter writer(128);
  writer.Create(dir.PathOf("t.txt").c_str());
  writer.Write("abc");
  writer.FlushIgnoringErrors();
  EXPECT_EQ(dir.ReadFile("t.txt"), "abc");
  EXPECT_TRUE(writer.IsOpen());
  writer.Write("d");
  writer.Close();
  EXPECT_EQ(dir.ReadFile("t.txt"), "abcd");
}

TEST(LineWriterTest, CreateEmptiesAnExistingFile) {
  ScratchDir dir;
  dir.WriteFile("t.txt", "old contents");
  LineWriter writer;
  writer.Create(dir.PathOf("t.txt").c_str());
  writer.Close();
  EXPECT_EQ(dir.ReadFile("t.txt"), "");
}

RunError CaughtError(const auto& operation) {
  try {
    operation();
  } catch (const RunError& error) {
    return error;
  }
  ADD_FAILURE() << "no error raised";
  return RunError(ErrorKind::GeneralError, "", nullptr);
}

TEST(LineWriterTest, FailuresRaiseFileError) {
  ScratchDir dir;
  const RunError directory = CaughtError([&] {
    LineWriter writer;
    writer.Create(dir.path().c_str());
  });
  EXPECT_EQ(directory.kind(), ErrorKind::FileError);
  EXPECT_EQ(directory.message(), "File access denied");

  const RunError missing_path = CaughtError([&] {
    LineWriter writer;
    writer.Create(dir.PathOf("no/such/dir").c_str());
  });
  EXPECT_EQ(missing_path.message(), "File not found");

  // A full disk: the failing block is dropped, so closing afterwards has
  // nothing left to write.
  LineWriter full(128);
  full.Create("/dev/full");
  full.Write(std::string(127, 'x'));
  const RunError disk_full = CaughtError([&] { full.Write("y"); });
  EXPECT_EQ(disk_full.message(), "I/O error 28");
  EXPECT_EQ(disk_full.code(), 28);
  full.Close();

  LineWriter full_at_close(128);
  full_at_close.Create("/dev/full");
  full_at_close.Write("x");
  EXPECT_EQ(CaughtError([&] { full_at_close.Close(); }).message(), "I/O error 28");
}

}  // namespace
}  // namespace tablecore
