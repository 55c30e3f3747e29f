// The line handler shared by the item and NPC converters: a record line
// becomes the table line "<[name]> = <code>". The two converters differ only
// in the rules below.
#ifndef NAMECODES_NAME_CODE_CONVERTER_H_
#define NAMECODES_NAME_CODE_CONVERTER_H_

#include <cstddef>
#include <string_view>

#include "tablecore/byte_strings.h"
#include "tablecore/run_frame.h"

namespace namecodes {

struct NameCodeRules {
  // The record keyword's UTF-16LE bytes.
  std::string_view keyword;
  // What a line that fails the keyword test does to the loop.
  tablecore::OnLineResult on_other_line;
  // The bytes between the name piece and the code; the first completes the
  // name's "]".
  std::string_view separator;
  // Bytes put in front of the id piece, cut so that prefix and id piece
  // together have the prefix's length; empty for a code that is the id alone.
  std::string_view code_prefix;
  // The longest id piece converted; a longer id ends the loop.
  std::size_t max_id_piece;
};

// The item converter: "item_begin", other lines skipped, the id as the code.
extern const NameCodeRules kItemRules;
// The NPC converter: "npc_begin", other lines end the loop, the code
// 1000000 + id made by joining bytes.
extern const NameCodeRules kNpcRules;

// Converts one line by the given rules: writes one table line and advances
// the record counter for a record that slices cleanly, and returns Stop for
// a record that does not.
[[nodiscard]] tablecore::OnLineResult ConvertNameCodeLine(const tablecore::RawLine& line,
                                                          tablecore::RunContext& context,
                                                          const NameCodeRules& rules);

[[nodiscard]] tablecore::OnLineResult ConvertItemLine(const tablecore::RawLine& line,
                                                      tablecore::RunContext& context);
[[nodiscard]] tablecore::OnLineResult ConvertNpcLine(const tablecore::RawLine& line,
                                                     tablecore::RunContext& context);

}  // namespace namecodes

#endif  // NAMECODES_NAME_CODE_CONVERTER_H_
