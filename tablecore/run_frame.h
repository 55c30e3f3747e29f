// The life of a converter program around its line handler: create the tables,
// open the data file, run the reading loop, print the closing line, close the
// files, wait for Enter and exit; and the one failure path, which reports an
// error and exits with status 1.
#ifndef TABLECORE_RUN_FRAME_H_
#define TABLECORE_RUN_FRAME_H_

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <vector>

#include "tablecore/byte_strings.h"
#include "tablecore/line_writer.h"

namespace tablecore {

enum class OnLineResult { Continue, Stop };

// Counts the records a handler has written; starts at 1 and shows only in
// the closing error line.
class RecordCounter {
 public:
  void Advance() {
    // 32-bit signed with wrap-around.
    value_ = static_cast<std::int32_t>(static_cast<std::uint32_t>(value_) + 1u);
  }
  [[nodiscard]] std::int32_t value() const { return value_; }

 private:
  std::int32_t value_ = 1;
};

// What a handler reaches through the frame: the tables, in the order of their
// names, and the record counter.
class RunContext {
 public:
  RunContext(std::vector<LineWriter>& tables, RecordCounter& counter)
      : tables_(tables), counter_(counter) {}
  [[nodiscard]] LineWriter& Table(std::size_t index) { return tables_[index]; }
  [[nodiscard]] RecordCounter& Counter() { return counter_; }

 private:
  std::vector<LineWriter>& tables_;
  RecordCounter& counter_;
};

using OnLine = std::function<OnLineResult(const RawLine& line, RunContext& context)>;

// Runs the whole program and never returns: exit status 0 after a completed
// run, 1 after an error.
[[noreturn]] void RunFrame(const char* input_file_name,
                           std::initializer_list<const char*> table_file_names,
                           const OnLine& on_line);

// The error report for a raised error, exactly as written to standard error:
// "Exception <kind> in module <program> at <offset>." CR LF, the message with
// a "." added when it lacks one, CR LF, and one more CR LF. Texts over 1023
// characters are cut before the final CR LF.
[[nodiscard]] std::string FormatErrorReport(std::string_view kind_name,
                                            std::string_view program_name,
                                            std::uintptr_t offset,
                                            std::string_view message);

}  // namespace tablecore

#endif  // TABLECORE_RUN_FRAME_H_
