// Byte-string and code-unit-string helpers, and the record keyword test.
//
// A RawLine is one data line as raw bytes; a WideText is a string of UTF-16
// code units. The helpers work on both: positions are 1-based, a search
// yields 0 when the pattern does not occur, and cuts clamp to the string.
#ifndef TABLECORE_BYTE_STRINGS_H_
#define TABLECORE_BYTE_STRINGS_H_

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tablecore {

using RawLine = std::string;
using WideText = std::u16string;

// The first n units of s; empty for n <= 0, all of s for n >= its length.
template <typename CharT>
[[nodiscard]] constexpr std::basic_string_view<CharT> TakeLeft(
    std::basic_string_view<CharT> s, std::int64_t n) {
  if (n <= 0) return s.substr(0, 0);
  return s.substr(0, static_cast<std::size_t>(n));
}

// The last n units of s; empty for n <= 0, all of s for n >= its length.
template <typename CharT>
[[nodiscard]] constexpr std::basic_string_view<CharT> TakeRight(
    std::basic_string_view<CharT> s, std::int64_t n) {
  if (n <= 0) return s.substr(s.size());
  const auto count = static_cast<std::size_t>(n);
  if (count >= s.size()) return s;
  return s.substr(s.size() - count);
}

// The 1-based position of the first occurrence of pattern in s, 0 if none.
template <typename CharT>
[[nodiscard]] constexpr std::int64_t FindBytes(std::basic_string_view<CharT> pattern,
                                               std::basic_string_view<CharT> s) {
  const std::size_t at = s.find(pattern);
  if (at == std::basic_string_view<CharT>::npos) return 0;
  return static_cast<std::int64_t>(at) + 1;
}

// The same on bytes, made fast for UTF-16LE text, where every other byte is
// 00: the search skips ahead to the pattern's first nonzero byte.
[[nodiscard]] std::int64_t FindBytes(std::string_view pattern, std::string_view s);

// The UTF-16LE bytes of an ASCII keyword, built at compile time:
//   constexpr auto kItemBegin = Utf16LeKeyword("item_begin");
template <std::size_t N>
class Utf16LeKeyword {
 public:
  constexpr explicit Utf16LeKeyword(const char (&ascii)[N]) {
    for (std::size_t i = 0; i + 1 < N; ++i) {
      bytes_[2 * i] = ascii[i];
      bytes_[2 * i + 1] = '\0';
    }
  }
  [[nodiscard]] constexpr std::string_view bytes() const {
    return {bytes_.data(), bytes_.size()};
  }

 private:
  std::array<char, 2 * (N - 1)> bytes_{};
};

// The record keyword test: true when the first bytes of line equal the
// keyword's UTF-16LE bytes exactly. A shorter line never matches.
[[nodiscard]] constexpr bool HasRecordKeyword(std::string_view line,
                                              std::string_view keyword_bytes) {
  return line.size() >= keyword_bytes.size() &&
         line.substr(0, keyword_bytes.size()) == keyword_bytes;
}

// A RawLine read as UTF-16 code units, low byte first; an odd last byte is
// dropped.
[[nodiscard]] WideText WideTextFromRawLine(std::string_view line);
// The same into an existing string, so a caller can reuse its storage.
void AssignWideText(std::string_view line, WideText& text);

}  // namespace tablecore

#endif  // TABLECORE_BYTE_STRINGS_H_
