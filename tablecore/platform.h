// The one door to the operating system: files, console streams, the program's
// own name and the process exit. One implementation per platform
// (platform-posix.cc now), chosen by the build; nothing else in the project
// includes a system header.
//
// Functions that can fail return the operating system's error code, 0 on
// success; callers turn a nonzero code into a FileError.
#ifndef TABLECORE_PLATFORM_H_
#define TABLECORE_PLATFORM_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tablecore::platform {

// An open file. The value is the platform's own handle, or -1 when closed.
struct FileHandle {
  std::intptr_t value = -1;
  [[nodiscard]] bool IsOpen() const { return value != -1; }
};

// Opens an existing file for reading; others may read it but not write it
// where the platform has sharing modes. A directory is refused with the
// platform's "access denied" code.
[[nodiscard]] int OpenForReading(const char* file_name, FileHandle* file);

// Creates a file, or empties an existing one, for writing; others may read it.
[[nodiscard]] int CreateForWriting(const char* file_name, FileHandle* file);

// Reads up to `capacity` bytes. `*got` is 0 only at the end of the file.
[[nodiscard]] int ReadSome(FileHandle file, void* buffer, std::size_t capacity,
                           std::size_t* got);

// Writes all `size` bytes, looping over partial writes.
[[nodiscard]] int WriteAll(FileHandle file, const void* data, std::size_t size);

// Closes the file; the handle is invalid afterwards even when this fails.
[[nodiscard]] int CloseFile(FileHandle file);

// The FileError message for an error code: "File not found",
// "Invalid filename", "Too many open files", "File access denied" or
// "I/O error N".
[[nodiscard]] std::string FileErrorMessage(int code);

// Console streams. Text is UTF-8 and is converted to the console's encoding.
[[nodiscard]] bool StandardOutputIsConsole();
[[nodiscard]] int WriteStandardOutput(std::string_view text);
[[nodiscard]] int WriteStandardError(std::string_view text);

// Reads one byte of standard input. `*at_end` becomes true at the end of the
// input, on a closed pipe, and when standard input is not open at all.
[[nodiscard]] int ReadStandardInputByte(unsigned char* byte, bool* at_end);

// The running program's file name without its directory, as the operating
// system reports it.
[[nodiscard]] std::string ProgramFileName();

// The offset of a code address from the start of the program's image.
[[nodiscard]] std::uintptr_t ImageOffset(const void* address);

// Sets up the process for a run: a write to a closed pipe fails with an
// error code instead of ending the process.
void PrepareProcess();

// Ends the process at once with the given status: no destructors run and no
// file is closed by the program.
[[noreturn]] void ExitProcess(int status);

}  // namespace tablecore::platform

#endif  // TABLECORE_PLATFORM_H_
