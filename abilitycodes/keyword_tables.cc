#include "abilitycodes/keyword_tables.h"

#include <cstddef>

namespace abilitycodes {

std::int32_t IndexOfKeyword(std::u16string_view text, std::span<const std::u16string_view> table) {
  // A linear walk: the first of two equal entries must win.
  for (std::size_t slot = 0; slot < table.size(); ++slot) {
    if (table[slot] == text) return static_cast<std::int32_t>(slot);
  }
  return -1;
}

std::int32_t TargetTypeCode(std::u16string_view value) {
  const std::int32_t slot = IndexOfKeyword(value, kTargetTypeNames);
  return slot < 0 ? 0 : slot;
}

std::int32_t AttributeCode(std::u16string_view value) {
  return IndexOfKeyword(value, kAttributeNames);
}

std::int32_t AbnormalTypeCode(std::u16string_view value) {
  return IndexOfKeyword(value, kAbnormalTypeNames) - 1;
}

}  // namespace abilitycodes
