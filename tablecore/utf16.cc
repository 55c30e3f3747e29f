#include "tablecore/utf16.h"

#include <cstdint>

namespace tablecore {
namespace {

void AppendUtf8(std::uint32_t c, std::string& out) {
  if (c < 0x80) {
    out.push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (c >> 6)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else if (c < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (c >> 12)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (c >> 18)));
    out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

bool IsHighSurrogate(char16_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool IsLowSurrogate(char16_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

}  // namespace

std::string Utf16ToUtf8(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t u = text[i];
    if (IsHighSurrogate(u) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
      const std::uint32_t c =
          0x10000 + ((static_cast<std::uint32_t>(u) - 0xD800) << 10) +
          (static_cast<std::uint32_t>(text[i + 1]) - 0xDC00);
      AppendUtf8(c, out);
      ++i;
    } else if (IsHighSurrogate(u) || IsLowSurrogate(u)) {
      AppendUtf8(0xFFFD, out);
    } else {
      AppendUtf8(u, out);
    }
  }
  return out;
}

std::string_view TakeUtf8Characters(std::string_view text, std::size_t limit) {
  std::size_t characters = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    // Each byte that is not a continuation byte starts a character.
    if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
      if (characters == limit) return text.substr(0, i);
      ++characters;
    }
  }
  return text;
}

}  // namespace tablecore
