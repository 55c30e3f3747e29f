// The line handler of the skill converter: converts each skill record and
// appends the latest pair of lines to the two tables after every data line.
#ifndef ABILITYCODES_SKILL_CONVERTER_H_
#define ABILITYCODES_SKILL_CONVERTER_H_

#include "abilitycodes/skill_record.h"
#include "tablecore/byte_strings.h"
#include "tablecore/run_frame.h"

namespace abilitycodes {

// Table 0 of the run is the name table, table 1 the parameter table.
class SkillConverter {
 public:
  // A line whose first 22 bytes are "skill_begin" in UTF-16LE is a record
  // and replaces the current lines; every line, record or not, then appends
  // the current name line to table 0 and the current parameter line to
  // table 1, each with a line break. Always returns Continue; errors in a
  // record are raised and stop the run.
  tablecore::OnLineResult ConvertSkillLine(const tablecore::RawLine& line,
                                           tablecore::RunContext& context);

  [[nodiscard]] const SkillLines& current() const { return current_; }

 private:
  SkillLines current_;
  // The record being converted, kept to reuse its storage from line to line.
  tablecore::WideText record_;
};

}  // namespace abilitycodes

#endif  // ABILITYCODES_SKILL_CONVERTER_H_
