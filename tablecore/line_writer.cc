#include "tablecore/line_writer.h"

#include <cstring>

#include "tablecore/errors.h"

namespace tablecore {

LineWriter::LineWriter(std::size_t buffer_size)
    : capacity_(buffer_size), buffer_(new char[buffer_size]) {}

LineWriter::~LineWriter() {
  if (file_.IsOpen()) (void)platform::CloseFile(file_);
}

void LineWriter::Create(const char* file_name) {
  platform::FileHandle file;
  if (const int code = platform::CreateForWriting(file_name, &file); code != 0) {
    RaiseFileError(code);
  }
  file_ = file;
  filled_ = 0;
}

void LineWriter::FlushBuffer() {
  const std::size_t size = filled_;
  // A buffer whose write failed is dropped all the same.
  filled_ = 0;
  if (const int code = platform::WriteAll(file_, buffer_.get(), size); code != 0) {
    RaiseFileError(code);
  }
}

void LineWriter::Write(std::string_view bytes) {
  while (!bytes.empty()) {
    const std::size_t room = capacity_ - filled_;
    const std::size_t take = bytes.size() < room ? bytes.size() : room;
    std::memcpy(buffer_.get() + filled_, bytes.data(), take);
    filled_ += take;
    bytes.remove_prefix(take);
    if (filled_ == capacity_) FlushBuffer();
  }
}

void LineWriter::WriteWide(std::u16string_view text) {
  for (const char16_t unit : text) {
    const char pair[2] = {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
    Write({pair, 2});
  }
}

void LineWriter::WriteBom() { Write({"\xFF\xFE", 2}); }

void LineWriter::WriteLineEnd() { Write({"\x0D\x00\x0A\x00", 4}); }

void LineWriter::Close() {
  if (filled_ > 0) FlushBuffer();
  const platform::FileHandle file = file_;
  file_ = {};
  if (const int code = platform::CloseFile(file); code != 0) RaiseFileError(code);
}

void LineWriter::FlushIgnoringErrors() noexcept {
  if (!file_.IsOpen() || filled_ == 0) return;
  (void)platform::WriteAll(file_, buffer_.get(), filled_);
  filled_ = 0;
}

}  // namespace tablecore
