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
  while (!text.empty()) {
    const std::size_t room = (capacity_ - filled_) / 2;
    if (room == 0) {
      // One byte left in the buffer: this code unit straddles the flush.
      const char pair[2] = {static_cast<char>(text[0] & 0xFF), static_cast<char>(text[0] >> 8)};
      Write({pair, 2});
      text.remove_prefix(1);
      continue;
    }
    const std::size_t take = text.size() < room ? text.size() : room;
    char* out = buffer_.get() + filled_;
    for (std::size_t i = 0; i < take; ++i) {
      out[2 * i] = static_cast<char>(text[i] & 0xFF);
      out[2 * i + 1] = static_cast<char>(text[i] >> 8);
    }
    filled_ += 2 * take;
    text.remove_prefix(take);
    if (filled_ == capacity_) FlushBuffer();
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
