// Error kinds that stop a run, and the functions that raise them.
//
// Errors are raised as RunError exceptions and caught only by the run frame,
// which reports them and ends the program with exit status 1. Each error
// remembers the code address that raised it, for the report's offset.
#ifndef TABLECORE_ERRORS_H_
#define TABLECORE_ERRORS_H_

#include <exception>
#include <string>
#include <string_view>

namespace tablecore {

enum class ErrorKind {
  FileError,
  ConvertError,
  GeneralError,
  FloatInvalidError,
  FloatOverflowError,
  MemoryError,
};

// The kind's name as the error report shows it ("FileError", ...).
[[nodiscard]] std::string_view ErrorKindName(ErrorKind kind);

class RunError : public std::exception {
 public:
  RunError(ErrorKind kind, std::string message, const void* place, int code = 0);

  [[nodiscard]] ErrorKind kind() const { return kind_; }
  // UTF-8 text, without the full stop that the report may add.
  [[nodiscard]] const std::string& message() const { return message_; }
  // The code address that raised the error (inside the caller of Raise*).
  [[nodiscard]] const void* place() const { return place_; }
  // For FileError: the operating system's error code; 0 for other kinds.
  [[nodiscard]] int code() const { return code_; }

  [[nodiscard]] const char* what() const noexcept override { return message_.c_str(); }

 private:
  ErrorKind kind_;
  std::string message_;
  const void* place_;
  int code_;
};

// Raises an error of the given kind; the message is UTF-8.
[[noreturn]] void RaiseError(ErrorKind kind, std::string message);

// Raises FileError with the operating system's error code; the message
// follows from the code.
[[noreturn]] void RaiseFileError(int code);

}  // namespace tablecore

#endif  // TABLECORE_ERRORS_H_
