#include "abilitycodes/skill_converter.h"

#include <cstddef>

namespace abilitycodes {
namespace {

constexpr auto kSkillBegin = tablecore::Utf16LeKeyword("skill_begin");

constexpr std::size_t kNameTable = 0;
constexpr std::size_t kParamTable = 1;

}  // namespace

tablecore::OnLineResult SkillConverter::ConvertSkillLine(const tablecore::RawLine& line,
                                                         tablecore::RunContext& context) {
  if (tablecore::HasRecordKeyword(line, kSkillBegin.bytes())) {
    tablecore::AssignWideText(line, record_);
    ConvertSkillRecord(record_, current_);
  }
  // Before the first record these are empty and give bare line breaks; after
  // a line that is no record they repeat the latest record's lines.
  tablecore::LineWriter& names = context.Table(kNameTable);
  names.WriteWide(current_.name_line);
  names.WriteLineEnd();
  tablecore::LineWriter& params = context.Table(kParamTable);
  params.WriteWide(current_.param_line);
  params.WriteLineEnd();
  return tablecore::OnLineResult::Continue;
}

}  // namespace abilitycodes
