#include "tablecore/byte_strings.h"

#include <cstring>

namespace tablecore {

std::int64_t FindBytes(std::string_view pattern, std::string_view s) {
  if (pattern.empty()) return 1;
  if (pattern.size() > s.size()) return 0;
  // Anchor on the first nonzero byte of the pattern: a search for 00 would
  // stop at every other byte of UTF-16LE text.
  std::size_t anchor = 0;
  while (anchor + 1 < pattern.size() && pattern[anchor] == '\0') ++anchor;
  const char anchor_byte = pattern[anchor];
  // A match at position `start` has its anchor byte at start + anchor.
  const std::size_t last_start = s.size() - pattern.size();
  std::size_t start = 0;
  while (start <= last_start) {
    const void* hit = std::memchr(s.data() + start + anchor, anchor_byte, last_start - start + 1);
    if (hit == nullptr) return 0;
    start = static_cast<std::size_t>(static_cast<const char*>(hit) - s.data()) - anchor;
    if (std::memcmp(s.data() + start, pattern.data(), pattern.size()) == 0) {
      return static_cast<std::int64_t>(start) + 1;
    }
    ++start;
  }
  return 0;
}

WideText WideTextFromRawLine(std::string_view line) {
  WideText text;
  AssignWideText(line, text);
  return text;
}

void AssignWideText(std::string_view line, WideText& text) {
  text.resize(line.size() / 2);
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto low = static_cast<unsigned char>(line[2 * i]);
    const auto high = static_cast<unsigned char>(line[2 * i + 1]);
    text[i] = static_cast<char16_t>(low | (high << 8));
  }
}

}  // namespace tablecore
