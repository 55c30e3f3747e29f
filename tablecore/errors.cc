#include "tablecore/errors.h"

#include <utility>

#include "tablecore/platform.h"

// The address a function returns to lies inside its caller: that is the place
// that raised the error.
#if defined(_MSC_VER)
#include <intrin.h>
#define TABLECORE_CALLER_ADDRESS() _ReturnAddress()
#define TABLECORE_NOINLINE __declspec(noinline)
#else
#define TABLECORE_CALLER_ADDRESS() __builtin_return_address(0)
#define TABLECORE_NOINLINE __attribute__((noinline))
#endif

namespace tablecore {

std::string_view ErrorKindName(ErrorKind kind) {
  switch (kind) {
    case ErrorKind::FileError: return "FileError";
    case ErrorKind::ConvertError: return "ConvertError";
    case ErrorKind::GeneralError: return "GeneralError";
    case ErrorKind::FloatInvalidError: return "FloatInvalidError";
    case ErrorKind::FloatOverflowError: return "FloatOverflowError";
    case ErrorKind::MemoryError: return "MemoryError";
  }
  return "Error";
}

RunError::RunError(ErrorKind kind, std::string message, const void* place, int code)
    : kind_(kind), message_(std::move(message)), place_(place), code_(code) {}

TABLECORE_NOINLINE void RaiseError(ErrorKind kind, std::string message) {
  throw RunError(kind, std::move(message), TABLECORE_CALLER_ADDRESS());
}

TABLECORE_NOINLINE void RaiseFileError(int code) {
  throw RunError(ErrorKind::FileError, platform::FileErrorMessage(code),
                 TABLECORE_CALLER_ADDRESS(), code);
}

}  // namespace tablecore
