// Cuts a data file into RawLines by byte rules: a line runs to the next 0A
// byte, every 0D byte is dropped wherever it stands, and a 1A byte ends the
// data. The file is read ahead in large blocks; the block size has no effect
// on any result.
#ifndef TABLECORE_LINE_READER_H_
#define TABLECORE_LINE_READER_H_

#include <cstddef>
#include <memory>
#include <string_view>

#include "tablecore/byte_strings.h"
#include "tablecore/platform.h"

namespace tablecore {

// The index of the first 0A, 0D or 1A byte in bytes; bytes.size() if none.
// Checks sixteen bytes at a time with SSE2, else eight.
[[nodiscard]] std::size_t FindLineControlByte(std::string_view bytes);

class LineReader {
 public:
  static constexpr std::size_t kDefaultBlockSize = 1 << 20;

  explicit LineReader(std::size_t block_size = kDefaultBlockSize);
  ~LineReader();
  LineReader(const LineReader&) = delete;
  LineReader& operator=(const LineReader&) = delete;

  // Opens an existing file; raises FileError.
  void Open(const char* file_name);

  // True when no byte is left or the next byte is 1A. Consumes nothing, but
  // may read the next block (and so raise FileError).
  [[nodiscard]] bool AtEnd();

  // Consumes and discards the next byte, unless AtEnd().
  void SkipByte();

  // Reads the next line; the result stays valid until the next ReadLine.
  const RawLine& ReadLine();

  // Closes the file; raises FileError.
  void Close();

 private:
  // Makes sure a byte is buffered unless the file is at its end.
  [[nodiscard]] bool FillIfEmpty();

  platform::FileHandle file_;
  std::size_t block_size_;
  std::unique_ptr<char[]> block_;
  std::size_t next_ = 0;  // first unconsumed byte in block_
  std::size_t end_ = 0;   // end of the valid bytes in block_
  bool file_at_end_ = false;
  RawLine line_;
};

}  // namespace tablecore

#endif  // TABLECORE_LINE_READER_H_
