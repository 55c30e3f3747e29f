#include "tablecore/line_reader.h"

#include <array>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "tablecore/errors.h"

namespace tablecore {
namespace {

constexpr char kLineFeed = 0x0A;
constexpr char kCarriageReturn = 0x0D;
constexpr char kEndOfData = 0x1A;

// The bytes that interrupt a run of plain line bytes.
constexpr std::array<bool, 256> kStopsRun = [] {
  std::array<bool, 256> table{};
  table[0x0A] = table[0x0D] = table[0x1A] = true;
  return table;
}();

constexpr std::uint64_t kEveryByte = 0x0101010101010101u;
constexpr std::uint64_t kEveryHighBit = 0x8080808080808080u;

// True when one of the eight bytes of v is 00.
constexpr bool HasZeroByte(std::uint64_t v) { return ((v - kEveryByte) & ~v & kEveryHighBit) != 0; }

constexpr bool HasLineControlByte(std::uint64_t v) {
  return HasZeroByte(v ^ (kEveryByte * 0x0A)) || HasZeroByte(v ^ (kEveryByte * 0x0D)) ||
         HasZeroByte(v ^ (kEveryByte * 0x1A));
}

}  // namespace

std::size_t FindLineControlByte(std::string_view bytes) {
  const char* const data = bytes.data();
  const std::size_t size = bytes.size();
  std::size_t i = 0;
#if defined(__SSE2__)
  // Sixteen bytes at a time where the processor has SSE2 (every x86-64).
  const __m128i line_feed = _mm_set1_epi8(0x0A);
  const __m128i carriage_return = _mm_set1_epi8(0x0D);
  const __m128i end_of_data = _mm_set1_epi8(0x1A);
  for (; i + 16 <= size; i += 16) {
    const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i));
    const __m128i hits = _mm_or_si128(
        _mm_or_si128(_mm_cmpeq_epi8(chunk, line_feed), _mm_cmpeq_epi8(chunk, carriage_return)),
        _mm_cmpeq_epi8(chunk, end_of_data));
    const int mask = _mm_movemask_epi8(hits);
    if (mask != 0) return i + static_cast<std::size_t>(__builtin_ctz(static_cast<unsigned>(mask)));
  }
#endif
  for (; i + 8 <= size; i += 8) {
    std::uint64_t word;
    std::memcpy(&word, data + i, sizeof word);
    if (HasLineControlByte(word)) break;
  }
  for (; i < size; ++i) {
    if (kStopsRun[static_cast<unsigned char>(data[i])]) return i;
  }
  return size;
}

LineReader::LineReader(std::size_t block_size)
    : block_size_(block_size), block_(new char[block_size]) {}

LineReader::~LineReader() {
  if (file_.IsOpen()) (void)platform::CloseFile(file_);
}

void LineReader::Open(const char* file_name) {
  platform::FileHandle file;
  if (const int code = platform::OpenForReading(file_name, &file); code != 0) {
    RaiseFileError(code);
  }
  file_ = file;
  next_ = end_ = 0;
  file_at_end_ = false;
}

bool LineReader::FillIfEmpty() {
  if (next_ < end_) return true;
  if (file_at_end_) return false;
  std::size_t got = 0;
  if (const int code = platform::ReadSome(file_, block_.get(), block_size_, &got); code != 0) {
    RaiseFileError(code);
  }
  next_ = 0;
  end_ = got;
  if (got == 0) file_at_end_ = true;
  return got > 0;
}

bool LineReader::AtEnd() { return !FillIfEmpty() || block_[next_] == kEndOfData; }

void LineReader::SkipByte() {
  if (!AtEnd()) ++next_;
}

const RawLine& LineReader::ReadLine() {
  line_.clear();
  while (FillIfEmpty()) {
    // Append the run of plain bytes up to the next special byte or the end
    // of the block in one piece.
    const char* const block = block_.get();
    const std::size_t stop = next_ + FindLineControlByte({block + next_, end_ - next_});
    line_.append(block + next_, stop - next_);
    next_ = stop;
    if (next_ == end_) continue;
    const char special = block[next_];
    if (special == kCarriageReturn) {
      ++next_;  // dropped, and the line goes on
      continue;
    }
    if (special == kLineFeed) ++next_;
    break;  // a 1A stays unconsumed, so AtEnd() is true from now on
  }
  return line_;
}

void LineReader::Close() {
  const platform::FileHandle file = file_;
  file_ = {};
  if (const int code = platform::CloseFile(file); code != 0) RaiseFileError(code);
}

}  // namespace tablecore
