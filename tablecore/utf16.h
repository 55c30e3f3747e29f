// Conversion of UTF-16 text to UTF-8, for messages shown on the console.
#ifndef TABLECORE_UTF16_H_
#define TABLECORE_UTF16_H_

#include <string>
#include <string_view>

namespace tablecore {

// Converts UTF-16 code units to UTF-8. A surrogate without its partner
// becomes U+FFFD, so the result is always valid UTF-8.
[[nodiscard]] std::string Utf16ToUtf8(std::u16string_view text);

// The longest prefix of UTF-8 text that holds at most `limit` characters;
// never cuts a character in two.
[[nodiscard]] std::string_view TakeUtf8Characters(std::string_view text, std::size_t limit);

}  // namespace tablecore

#endif  // TABLECORE_UTF16_H_
