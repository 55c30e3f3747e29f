// Feeds arbitrary bytes to the skill record conversion as one record line.
// Bad content may stop the run with one of its errors, but nothing else may
// happen: no crash, no undefined behaviour, no other exception.
#include <cstddef>
#include <cstdint>
#include <string>

#include "abilitycodes/skill_record.h"
#include "tablecore/byte_strings.h"
#include "tablecore/errors.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string line(reinterpret_cast<const char*>(data), size);
  abilitycodes::SkillLines lines;
  try {
    abilitycodes::ConvertSkillRecord(tablecore::WideTextFromRawLine(line), lines);
  } catch (const tablecore::RunError&) {
  }
  return 0;
}
