// Takes the value of one key=value field out of a skill record.
#ifndef ABILITYCODES_FIELD_VALUE_H_
#define ABILITYCODES_FIELD_VALUE_H_

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace abilitycodes {

// The value of `key` (ASCII, without "=") in `record`, the whole record line
// as UTF-16 text.
//
// The key is found by plain text search, not by splitting the record into
// fields: the first occurrence of key + " =" anywhere in the record, or, only
// when there is none, the first occurrence of key + "=". A match may lie
// inside a longer key. The value starts after the first "=" behind the match
// and is trimmed of code units up to U+0020 at both ends; it ends at the
// first TAB, or at the first space when a TAB follows that space somewhere
// later in the record. An absent key gives "0". A value that nothing ends
// (the last field of the record, or only blanks after it) raises GeneralError
// "Error in parsing skilldata.".
//
// The result is never empty. The view form refers into `record` (or to a
// static "0") and so avoids a copy.
[[nodiscard]] std::u16string_view FieldValueView(std::string_view key, std::u16string_view record);

// A record prepared for taking out many values: its "=" signs are found
// once, and each key is then looked for only in front of them. Value(key)
// gives what FieldValueView(key, record) gives. The record must outlive it.
class RecordFields {
 public:
  explicit RecordFields(std::u16string_view record);
  [[nodiscard]] std::u16string_view Value(std::string_view key) const;

 private:
  // Where the value is searched from: the first "key =" anywhere, or else
  // the first "key=". Returns the position of that pattern's "=".
  [[nodiscard]] std::size_t FindEquals(std::string_view key) const;

  std::u16string_view record_;
  std::vector<std::size_t> equals_;  // positions of every "=", ascending
};
[[nodiscard]] std::u16string GetFieldValue(std::string_view key, std::u16string_view record);

}  // namespace abilitycodes

#endif  // ABILITYCODES_FIELD_VALUE_H_
