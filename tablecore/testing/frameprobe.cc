// A converter for testing the frame. It reads "probedata.txt" and writes
// "probe1.txt" and "probe2.txt". Each line, read as UTF-16 text, is a command:
//   stop                  ends the loop
//   raise <message>       raises a GeneralError with the message
// Any other line is copied to probe1.txt as it was read, followed by a line
// break, and counted as a record; probe2.txt receives only its mark.
#include <string>

#include "tablecore/byte_strings.h"
#include "tablecore/errors.h"
#include "tablecore/run_frame.h"
#include "tablecore/utf16.h"

namespace {

tablecore::OnLineResult ProbeLine(const tablecore::RawLine& line,
                                  tablecore::RunContext& context) {
  const std::u16string text = tablecore::WideTextFromRawLine(line);
  const std::u16string_view view = text;
  if (view == u"stop") return tablecore::OnLineResult::Stop;
  if (view.substr(0, 6) == u"raise ") {
    tablecore::RaiseError(tablecore::ErrorKind::GeneralError,
                          tablecore::Utf16ToUtf8(view.substr(6)));
  }
  context.Table(0).Write(line);
  context.Table(0).WriteLineEnd();
  context.Counter().Advance();
  return tablecore::OnLineResult::Continue;
}

}  // namespace

int main() { tablecore::RunFrame("probedata.txt", {"probe1.txt", "probe2.txt"}, ProbeLine); }
