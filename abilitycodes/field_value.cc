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

}  // namespace

RecordFields::RecordFields(std::u16string_view record) : record_(record) {
  for (std::size_t at = record.find(u'='); at != kNotFound; at = record.find(u'=', at + 1)) {
    equals_.push_back(at);
  }
}

std::size_t RecordFields::FindEquals(std::string_view key) const {
  // Every occurrence of key + " =" or key + "=" ends in one of the "=" signs,
  // and the signs ascend with the patterns' starts; so the first sign with
  // the spaced key in front wins, and else the first with the bare key.
  std::size_t unspaced = kNotFound;
  for (const std::size_t at : equals_) {
    if (at >= key.size() + 1 && record_[at - 1] == u' ' &&
        EqualsAscii(record_.substr(at - 1 - key.size(), key.size()), key)) {
      return at;
    }
    if (unspaced == kNotFound && at >= key.size() &&
        EqualsAscii(record_.substr(at - key.size(), key.size()), key)) {
      unspaced = at;
    }
  }
  return unspaced;
}

std::u16string_view RecordFields::Value(std::string_view key) const {
  // The key holds no "=", so the pattern's own sign is the first one behind
  // the match, and the value starts after it.
  const std::size_t equals = FindEquals(key);
  if (equals == kNotFound) return u"0";
  const std::u16string_view rest = Trim(record_.substr(equals + 1));

  // A space ends the value only when a TAB follows it; without any TAB the
  // value has no end.
  const std::size_t end = rest.find(u'\t');
  if (end == kNotFound) {
    tablecore::RaiseError(tablecore::ErrorKind::GeneralError, "Error in parsing skilldata.");
  }
  const std::u16string_view value = rest.substr(0, end);
  return Trim(value.substr(0, value.find(u' ')));
}

std::u16string_view FieldValueView(std::string_view key, std::u16string_view record) {
  return RecordFields(record).Value(key);
}

std::u16string GetFieldValue(std::string_view key, std::u16string_view record) {
  return std::u16string(FieldValueView(key, record));
}

}  // namespace abilitycodes
