// Appends byte strings unchanged to a table file, through a buffer whose size
// is a multiple of 128 bytes: bytes reach the file in whole buffers while the
// table is written, and the rest when it is closed.
#ifndef TABLECORE_LINE_WRITER_H_
#define TABLECORE_LINE_WRITER_H_

#include <cstddef>
#include <memory>
#include <string_view>

#include "tablecore/platform.h"

namespace tablecore {

class LineWriter {
 public:
  static constexpr std::size_t kDefaultBufferSize = 64 * 1024;

  // buffer_size must be a positive multiple of 128.
  explicit LineWriter(std::size_t buffer_size = kDefaultBufferSize);
  ~LineWriter();
  LineWriter(const LineWriter&) = delete;
  LineWriter& operator=(const LineWriter&) = delete;

  // Creates the file or empties it; raises FileError.
  void Create(const char* file_name);

  // Appends bytes; raises FileError when a full buffer cannot be written.
  void Write(std::string_view bytes);
  // Appends UTF-16 code units, low byte first.
  void WriteWide(std::u16string_view text);
  void WriteBom();      // FF FE
  void WriteLineEnd();  // 0D 00 0A 00

  // Writes what is still buffered and closes the file; raises FileError.
  void Close();

  // For the failure path: writes what is still buffered, ignoring errors,
  // and leaves the file open.
  void FlushIgnoringErrors() noexcept;

  [[nodiscard]] bool IsOpen() const { return file_.IsOpen(); }

 private:
  void FlushBuffer();

  platform::FileHandle file_;
  std::size_t capacity_;
  std::unique_ptr<char[]> buffer_;
  std::size_t filled_ = 0;
};

}  // namespace tablecore

#endif  // TABLECORE_LINE_WRITER_H_
