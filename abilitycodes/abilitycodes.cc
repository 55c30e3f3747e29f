// abilitycodes: converts skilldata.txt into the name table skill_pch.txt and
// the parameter table skill_pch2.txt, in the current directory.
#include "abilitycodes/skill_converter.h"
#include "tablecore/run_frame.h"

int main() {
  abilitycodes::SkillConverter converter;
  tablecore::RunFrame("skilldata.txt", {"skill_pch.txt", "skill_pch2.txt"},
                      [&converter](const tablecore::RawLine& line, tablecore::RunContext& context) {
                        return converter.ConvertSkillLine(line, context);
                      });
}
