// The platform layer on POSIX systems.
#include <dlfcn.h>
#include <errno.h>
#include <fcntl.h>
#include <limits.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "tablecore/platform.h"

namespace tablecore::platform {
namespace {

int ToFd(FileHandle file) { return static_cast<int>(file.value); }

int WriteAllToFd(int fd, const char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t written = ::write(fd, data, size);
    if (written < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    data += written;
    size -= static_cast<std::size_t>(written);
  }
  return 0;
}

}  // namespace

int OpenForReading(const char* file_name, FileHandle* file) {
  int fd;
  do {
    fd = ::open(file_name, O_RDONLY | O_CLOEXEC);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) return errno;
  // Opening a directory for reading succeeds here; refuse it as access
  // denied, the way a file system with a real open-for-read check does.
  struct stat status;
  int code = 0;
  if (::fstat(fd, &status) != 0) {
    code = errno;
  } else if (S_ISDIR(status.st_mode)) {
    code = EISDIR;
  }
  if (code != 0) {
    ::close(fd);
    return code;
  }
  file->value = fd;
  return 0;
}

int CreateForWriting(const char* file_name, FileHandle* file) {
  int fd;
  do {
    fd = ::open(file_name, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) return errno;
  file->value = fd;
  return 0;
}

int ReadSome(FileHandle file, void* buffer, std::size_t capacity, std::size_t* got) {
  for (;;) {
    const ssize_t count = ::read(ToFd(file), buffer, capacity);
    if (count >= 0) {
      *got = static_cast<std::size_t>(count);
      return 0;
    }
    if (errno != EINTR) return errno;
  }
}

int WriteAll(FileHandle file, const void* data, std::size_t size) {
  return WriteAllToFd(ToFd(file), static_cast<const char*>(data), size);
}

int CloseFile(FileHandle file) {
  // After close fails the descriptor is released all the same; retrying on
  // EINTR could close a descriptor opened meanwhile, so it is not retried.
  if (::close(ToFd(file)) != 0 && errno != EINTR) return errno;
  return 0;
}

std::string FileErrorMessage(int code) {
  switch (code) {
    case ENOENT:
      return "File not found";
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
      return "Invalid filename";
    case EMFILE:
    case ENFILE:
      return "Too many open files";
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
      return "File access denied";
    default:
      return "I/O error " + std::to_string(code);
  }
}

bool StandardOutputIsConsole() { return ::isatty(STDOUT_FILENO) == 1; }

int WriteStandardOutput(std::string_view text) {
  return WriteAllToFd(STDOUT_FILENO, text.data(), text.size());
}

int WriteStandardError(std::string_view text) {
  return WriteAllToFd(STDERR_FILENO, text.data(), text.size());
}

int ReadStandardInputByte(unsigned char* byte, bool* at_end) {
  for (;;) {
    const ssize_t count = ::read(STDIN_FILENO, byte, 1);
    if (count == 1) {
      *at_end = false;
      return 0;
    }
    if (count == 0 || errno == EBADF) {
      // The end of the input, a closed pipe, or no standard input at all.
      *at_end = true;
      return 0;
    }
    if (errno != EINTR) return errno;
  }
}

std::string ProgramFileName() {
  char path[PATH_MAX];
  const ssize_t length = ::readlink("/proc/self/exe", path, sizeof path);
  std::string full = length > 0 ? std::string(path, static_cast<std::size_t>(length))
                                : std::string(program_invocation_name);
  const std::size_t slash = full.rfind('/');
  return slash == std::string::npos ? full : full.substr(slash + 1);
}

std::uintptr_t ImageOffset(const void* address) {
  Dl_info info;
  if (::dladdr(address, &info) != 0 && info.dli_fbase != nullptr) {
    return reinterpret_cast<std::uintptr_t>(address) -
           reinterpret_cast<std::uintptr_t>(info.dli_fbase);
  }
  return 0;
}

void PrepareProcess() { ::signal(SIGPIPE, SIG_IGN); }

void ExitProcess(int status) { ::_exit(status); }

}  // namespace tablecore::platform
