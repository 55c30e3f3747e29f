#include "namecodes/name_code_converter.h"

#include <cstdint>
#include <limits>

#include "namecodes/slicing.h"

namespace namecodes {
namespace {

using namespace std::string_view_literals;
using tablecore::OnLineResult;

constexpr tablecore::Utf16LeKeyword kItemKeyword("item_begin");
constexpr tablecore::Utf16LeKeyword kNpcKeyword("npc_begin");

// The high byte of "]", " = ", and the low byte of the final space, which
// the id piece's leading 00 completes.
constexpr std::string_view kItemSeparator = "\x00\x20\x00\x3D\x00\x20"sv;
// The same with the final space whole: the id piece's 00 completes the last
// prefix byte instead.
constexpr std::string_view kNpcSeparator = "\x00\x20\x00\x3D\x00\x20\x00"sv;
// "1000000" in UTF-16LE.
constexpr std::string_view kNpcCodePrefix =
    "\x31\x00\x30\x00\x30\x00\x30\x00\x30\x00\x30\x00\x30\x00"sv;

}  // namespace

const NameCodeRules kItemRules{kItemKeyword.bytes(), OnLineResult::Continue, kItemSeparator,
                               ""sv, std::numeric_limits<std::size_t>::max()};

// An id of up to six code units (13 bytes with its leading 00) leaves at
// least one prefix byte; a longer one would give a line of odd length.
const NameCodeRules kNpcRules{kNpcKeyword.bytes(), OnLineResult::Stop, kNpcSeparator,
                              kNpcCodePrefix, kNpcCodePrefix.size() - 1};

OnLineResult ConvertNameCodeLine(const tablecore::RawLine& line, tablecore::RunContext& context,
                                 const NameCodeRules& rules) {
  if (!tablecore::HasRecordKeyword(line, rules.keyword)) return rules.on_other_line;
  const auto pieces = SliceNameAndId(line);
  if (!pieces || !PiecesKeepStep(*pieces) || pieces->id_piece.size() > rules.max_id_piece) {
    return OnLineResult::Stop;
  }
  const auto prefix_length = static_cast<std::int64_t>(rules.code_prefix.size()) -
                             static_cast<std::int64_t>(pieces->id_piece.size());
  tablecore::LineWriter& table = context.Table(0);
  table.Write(pieces->name_piece);
  table.Write(rules.separator);
  table.Write(tablecore::TakeLeft(rules.code_prefix, prefix_length));
  table.Write(pieces->id_piece);
  table.WriteLineEnd();
  context.Counter().Advance();
  return OnLineResult::Continue;
}

OnLineResult ConvertItemLine(const tablecore::RawLine& line, tablecore::RunContext& context) {
  return ConvertNameCodeLine(line, context, kItemRules);
}

OnLineResult ConvertNpcLine(const tablecore::RawLine& line, tablecore::RunContext& context) {
  return ConvertNameCodeLine(line, context, kNpcRules);
}

}  // namespace namecodes
