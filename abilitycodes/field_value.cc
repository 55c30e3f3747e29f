#include "abilitycodes/field_value.h"

#include <algorithm>
#include <cstddef>

#include "tablecore/errors.h"

namespace abilitycodes {
namespace {

constexpr std::size_t kNotFound = std::u16string_view::npos;

// Code units up to U+0020: the control characters, TAB and space.
constexpr bool IsBlank(char16_t unit) { return unit <= u' '; }

std::u16string_view Trim(std::u16string_view text) {
  std::size_t first = 0;
  while (first < text.size() && IsBlank(text[first])) ++first;
  std::size_t last = text.size();
  while (last > first && IsBlank(text[last - 1])) --last;
  return text.substr(first, last - first);
}

// The position of the first occurrence of the ASCII `key` immediately
// followed by `suffix`, or kNotFound. Compares code units exactly.
std::size_t FindKeyFollowedBy(std::string_view key, std::u16string_view suffix,
                              std::u16string_view record) {
  const auto same = [](char16_t unit, char ascii) {
    return unit == static_cast<char16_t>(static_cast<unsigned char>(ascii));
  };
  auto from = record.begin();
  while (true) {
    const auto match = std::search(from, record.end(), key.begin(), key.end(), same);
    if (match == record.end()) return kNotFound;
    const auto at = static_cast<std::size_t>(match - record.begin());
    if (record.substr(at + key.size()).starts_with(suffix)) return at;
    from = match + 1;
  }
}

}  // namespace

std::u16string_view FieldValueView(std::string_view key, std::u16string_view record) {
  // A spaced "key =" anywhere wins over an unspaced "key=", even an earlier one.
  std::size_t at = FindKeyFollowedBy(key, u" =", record);
  if (at == kNotFound) at = FindKeyFollowedBy(key, u"=", record);
  if (at == kNotFound) return u"0";

  // The key holds no "=", so the first one from the match on is the pattern's.
  std::u16string_view rest = record.substr(at);
  rest = Trim(rest.substr(rest.find(u'=') + 1));

  // A space ends the value only when a TAB follows it; without any TAB the
  // value has no end.
  std::size_t end = rest.find(u'\t');
  if (end == kNotFound) {
    tablecore::RaiseError(tablecore::ErrorKind::GeneralError, "Error in parsing skilldata.");
  }
  end = std::min(end, rest.find(u' '));
  return Trim(rest.substr(0, end));
}

std::u16string GetFieldValue(std::string_view key, std::u16string_view record) {
  return std::u16string(FieldValueView(key, record));
}

}  // namespace abilitycodes
