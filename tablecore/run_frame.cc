#include "tablecore/run_frame.h"

#include <exception>
#include <new>
#include <stdexcept>
#include <string>

#include "tablecore/errors.h"
#include "tablecore/line_reader.h"
#include "tablecore/platform.h"
#include "tablecore/utf16.h"

namespace tablecore {
namespace {

// The report text is formed in a buffer of 1024 characters, one of which is
// the terminator.
constexpr std::size_t kReportLimit = 1023;

// Standard output: written at once on a console, held back otherwise until
// an error report or the end of the program.
class StandardOutput {
 public:
  StandardOutput() : console_(platform::StandardOutputIsConsole()) {}

  void Print(std::string_view text) {
    pending_.append(text);
    if (console_) Flush();
  }

  void Flush() {
    if (pending_.empty()) return;
    const std::string text = std::move(pending_);
    pending_.clear();
    if (const int code = platform::WriteStandardOutput(text); code != 0) RaiseFileError(code);
  }

  void FlushIgnoringErrors() noexcept {
    if (pending_.empty()) return;
    (void)platform::WriteStandardOutput(pending_);
    pending_.clear();
  }

 private:
  bool console_;
  std::string pending_;
};

// Reads standard input up to and including the next LF; the end of the
// input or a 1A byte ends the wait at once.
void WaitForEnter() {
  for (;;) {
    unsigned char byte = 0;
    bool at_end = false;
    if (const int code = platform::ReadStandardInputByte(&byte, &at_end); code != 0) {
      RaiseFileError(code);
    }
    if (at_end || byte == 0x0A || byte == 0x1A) return;
  }
}

std::string ClosingLine(bool finished, const RecordCounter& counter) {
  if (finished) return "Finished.\r\n";
  return "Error found in file at line " + std::to_string(counter.value()) + ".\r\n";
}

// Everything of a run up to the exit, in its order. Any error is raised out
// of here, with the files left as they are.
void Run(const char* input_file_name, std::initializer_list<const char*> table_file_names,
         const OnLine& on_line, std::vector<LineWriter>& tables, StandardOutput& output) {
  std::size_t index = 0;
  for (const char* name : table_file_names) {
    tables[index].Create(name);
    tables[index].WriteBom();
    ++index;
  }

  LineReader reader;
  reader.Open(input_file_name);
  RecordCounter counter;
  RunContext context(tables, counter);
  reader.SkipByte();
  while (!reader.AtEnd()) {
    reader.SkipByte();
    if (on_line(reader.ReadLine(), context) == OnLineResult::Stop) break;
  }

  // A fresh test decides: a loop left by Stop at the end of the data still
  // finished.
  output.Print(ClosingLine(reader.AtEnd(), counter));

  reader.Close();
  for (LineWriter& table : tables) table.Close();
  WaitForEnter();
  output.Flush();
}

[[noreturn]] void Fail(ErrorKind kind, const std::string& message, const void* place,
                       std::vector<LineWriter>& tables, StandardOutput& output) {
  // Every byte already appended to a table reaches its file, so a table
  // holds whole lines after any error; the files stay open.
  for (LineWriter& table : tables) table.FlushIgnoringErrors();
  output.FlushIgnoringErrors();
  const std::string report = FormatErrorReport(
      ErrorKindName(kind), platform::ProgramFileName(), platform::ImageOffset(place), message);
  (void)platform::WriteStandardError(report);
  platform::ExitProcess(1);
}

std::string Hex8(std::uintptr_t value) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string digits;
  do {
    digits.insert(digits.begin(), kDigits[value & 0xF]);
    value >>= 4;
  } while (value != 0);
  if (digits.size() < 8) digits.insert(0, 8 - digits.size(), '0');
  return digits;
}

}  // namespace

std::string FormatErrorReport(std::string_view kind_name, std::string_view program_name,
                              std::uintptr_t offset, std::string_view message) {
  std::string text = "Exception ";
  text.append(kind_name);
  text.append(" in module ");
  text.append(program_name);
  text.append(" at ");
  text.append(Hex8(offset));
  text.append(".\r\n");
  text.append(message);
  if (!message.empty() && message.back() != '.') text.push_back('.');
  text.append("\r\n");
  std::string report(TakeUtf8Characters(text, kReportLimit));
  report.append("\r\n");
  return report;
}

void RunFrame(const char* input_file_name, std::initializer_list<const char*> table_file_names,
              const OnLine& on_line) {
  platform::PrepareProcess();
  std::vector<LineWriter> tables(table_file_names.size());
  StandardOutput output;
  try {
    Run(input_file_name, table_file_names, on_line, tables, output);
  } catch (const RunError& error) {
    Fail(error.kind(), error.message(), error.place(), tables, output);
  } catch (const std::bad_alloc&) {
    Fail(ErrorKind::MemoryError, "Out of memory", reinterpret_cast<const void*>(&RunFrame),
         tables, output);
  } catch (const std::length_error&) {
    Fail(ErrorKind::MemoryError, "Out of memory", reinterpret_cast<const void*>(&RunFrame),
         tables, output);
  }
  platform::ExitProcess(0);
}

}  // namespace tablecore
