#include "tablecore/byte_strings.h"

namespace tablecore {

WideText WideTextFromRawLine(std::string_view line) {
  WideText text(line.size() / 2, u'\0');
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto low = static_cast<unsigned char>(line[2 * i]);
    const auto high = static_cast<unsigned char>(line[2 * i + 1]);
    text[i] = static_cast<char16_t>(low | (high << 8));
  }
  return text;
}

}  // namespace tablecore
