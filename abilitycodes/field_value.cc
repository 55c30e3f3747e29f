#include "abilitycodes/field_value.h"

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

bool EqualsAscii(std::u16string_view text, std::string_view ascii) {
  if (text.size() != ascii.size()) return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != static_cast<char16_t>(static_cast<unsigned char>(ascii[i]))) return false;
  }
  return true;
}

// Where the key's value is searched from: the first "key =" anywhere in the
// record, or else the first "key=", or kNotFound. One pass over the
// occurrences of the key's first character finds both.
std::size_t FindKey(std::string_view key, std::u16string_view record) {
  if (key.empty()) {
    const std::size_t spaced = record.find(u" =");
    return spaced != kNotFound ? spaced : record.find(u'=');
  }
  const auto first = static_cast<char16_t>(static_cast<unsigned char>(key.front()));
  std::size_t unspaced = kNotFound;
  for (std::size_t at = record.find(first); at != kNotFound; at = record.find(first, at + 1)) {
    // Room for the key and at least the "=".
    if (record.size() - at <= key.size()) break;
    if (!EqualsAscii(record.substr(at, key.size()), key)) continue;
    const std::u16string_view after = record.substr(at + key.size());
    if (after.starts_with(u" =")) return at;
    if (unspaced == kNotFound && after.starts_with(u'=')) unspaced = at;
  }
  return unspaced;
}

}  // namespace

std::u16string_view FieldValueView(std::string_view key, std::u16string_view record) {
  // A spaced "key =" anywhere wins over an unspaced "key=", even an earlier one.
  const std::size_t at = FindKey(key, record);
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
  const std::u16string_view value = rest.substr(0, end);
  return Trim(value.substr(0, value.find(u' ')));
}

std::u16string GetFieldValue(std::string_view key, std::u16string_view record) {
  return std::u16string(FieldValueView(key, record));
}

}  // namespace abilitycodes
