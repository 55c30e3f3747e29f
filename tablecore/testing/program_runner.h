// Test support: runs a built converter in a scratch directory, the way an
// operator would, and captures what it prints.
#ifndef TABLECORE_TESTING_PROGRAM_RUNNER_H_
#define TABLECORE_TESTING_PROGRAM_RUNNER_H_

#include <optional>
#include <string>
#include <string_view>

namespace tablecore::testing {

// A fresh, empty directory that is removed with everything in it.
class ScratchDir {
 public:
  ScratchDir();
  ~ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

  [[nodiscard]] const std::string& path() const { return path_; }
  [[nodiscard]] std::string PathOf(std::string_view name) const;

  void WriteFile(std::string_view name, std::string_view bytes) const;
  [[nodiscard]] std::string ReadFile(std::string_view name) const;
  [[nodiscard]] bool Exists(std::string_view name) const;

 private:
  std::string path_;
};

struct RunOptions {
  // Standard input's bytes; standard input is /dev/null when empty.
  std::string standard_input;
  // Starts the program with no standard input open at all.
  bool close_standard_input = false;
  // Sends standard output to this file instead of capturing it.
  std::string standard_output_file;
  // Runs the program as the unprivileged user 65534, so that file modes
  // are enforced even when the tests run as root.
  bool as_unprivileged_user = false;
  // Limits the program's address space (bytes; 0 for no limit).
  unsigned long long address_space_limit = 0;
  // Limits the number of files the program may hold open (0 for no limit).
  unsigned long long open_files_limit = 0;
};

struct RunResult {
  int exit_status = -1;  // -1 when the program did not exit normally
  std::string standard_output;
  std::string standard_error;
};

// Runs `program` with the scratch directory as its current directory.
[[nodiscard]] RunResult RunProgram(const std::string& program, const ScratchDir& dir,
                                   const RunOptions& options = {});

// UTF-16LE bytes of ASCII or UTF-8 text, to build fixtures readably:
// Utf16Le(u"[cup]\t42").
[[nodiscard]] std::string Utf16Le(std::u16string_view text);

// A UTF-16LE file as an editor writes it: the mark FF FE, then the text.
[[nodiscard]] std::string WithBom(std::u16string_view text);

// The closing lines a completed run prints.
inline constexpr std::string_view kFinishedLine = "Finished.\r\n";
[[nodiscard]] std::string ClosingErrorLine(int line);

// The parts of an error report, when standard error holds exactly one:
// "Exception <kind> in module <program> at <eight hex digits>." CR LF,
// the message line, CR LF, and an empty line.
struct ErrorReport {
  std::string kind;
  std::string program;
  std::string message;  // with its final full stop
};
[[nodiscard]] std::optional<ErrorReport> ParseErrorReport(const std::string& standard_error);

}  // namespace tablecore::testing

#endif  // TABLECORE_TESTING_PROGRAM_RUNNER_H_
