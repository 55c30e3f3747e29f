// Feeds arbitrary bytes to the record slicing and the item and NPC handlers
// as one line. The slicing's pieces must be cut from the line where their
// patterns say; the handlers must never fail on any content.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "namecodes/name_code_converter.h"
#include "namecodes/slicing.h"
#include "tablecore/line_writer.h"
#include "tablecore/run_frame.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

// True when part is a view into whole.
bool IsPartOf(std::string_view part, std::string_view whole) {
  return part.data() >= whole.data() && part.data() + part.size() <= whole.data() + whole.size();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const tablecore::RawLine line(reinterpret_cast<const char*>(data), size);

  if (const auto pieces = namecodes::SliceNameAndId(line)) {
    Check(IsPartOf(pieces->name_piece, line) && IsPartOf(pieces->id_piece, line));
    Check(!pieces->name_piece.empty() && pieces->name_piece.front() == '\x5B');
    Check(pieces->name_piece.back() == '\x5D');
    // The name ends where "] TAB" starts and the id ends before "TAB [".
    const std::size_t name_end = static_cast<std::size_t>(
        pieces->name_piece.data() + pieces->name_piece.size() - line.data());
    Check(line.substr(name_end - 1, 3) == std::string_view("\x5D\x00\x09", 3));
    Check(!pieces->id_piece.empty() && pieces->id_piece.front() == '\0');
    const std::size_t id_end =
        static_cast<std::size_t>(pieces->id_piece.data() + pieces->id_piece.size() - line.data());
    Check(line.substr(id_end - 1, 4) == std::string_view("\x00\x09\x00\x5B", 4));
  }

  static std::vector<tablecore::LineWriter> tables = [] {
    std::vector<tablecore::LineWriter> writers(1);
    writers[0].Create("/dev/null");
    return writers;
  }();
  tablecore::RecordCounter counter;
  tablecore::RunContext context(tables, counter);
  const auto item = namecodes::ConvertItemLine(line, context);
  const auto npc = namecodes::ConvertNpcLine(line, context);
  (void)item;
  (void)npc;
  return 0;
}
