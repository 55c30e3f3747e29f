// Test support on POSIX: scratch directories and child processes.
#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <stdexcept>

#include "tablecore/testing/program_runner.h"

namespace tablecore::testing {
namespace {

[[noreturn]] void Die(const char* what) {
  throw std::runtime_error(std::string(what) + ": " + std::strerror(errno));
}

// Child side after fork: only async-signal-safe calls up to exec.
[[noreturn]] void StartChild(const std::string& program, const std::string& dir,
                             const RunOptions& options, int input_fd, int out_fd,
                             int err_fd) {
  if (::dup2(input_fd, STDIN_FILENO) < 0 || ::dup2(out_fd, STDOUT_FILENO) < 0 ||
      ::dup2(err_fd, STDERR_FILENO) < 0 || ::chdir(dir.c_str()) != 0) {
    ::_exit(126);
  }
  // Only the three standard streams pass to the program, whatever the test
  // runner left open.
  for (int fd = 3; fd < 1024; ++fd) ::close(fd);
  if (options.close_standard_input) ::close(STDIN_FILENO);
  if (!options.standard_output_file.empty()) {
    const int fd = ::open(options.standard_output_file.c_str(), O_WRONLY);
    if (fd < 0 || ::dup2(fd, STDOUT_FILENO) < 0) ::_exit(126);
    ::close(fd);
  }
  if (options.address_space_limit != 0) {
    const rlimit limit{options.address_space_limit, options.address_space_limit};
    if (::setrlimit(RLIMIT_AS, &limit) != 0) ::_exit(126);
  }
  if (options.open_files_limit != 0) {
    const rlimit limit{options.open_files_limit, options.open_files_limit};
    if (::setrlimit(RLIMIT_NOFILE, &limit) != 0) ::_exit(126);
  }
  if (options.as_unprivileged_user) {
    if (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0) {
      ::_exit(126);
    }
  }
  char* const argv[] = {const_cast<char*>(program.c_str()), nullptr};
  ::execv(program.c_str(), argv);
  ::_exit(127);
}

// Standard input for the child: /dev/null, or an unlinked file holding the
// given bytes.
int OpenStandardInput(const std::string& bytes) {
  if (bytes.empty()) return ::open("/dev/null", O_RDONLY | O_CLOEXEC);
  char name[] = "/tmp/tablecodes-stdin-XXXXXX";
  const int fd = ::mkstemp(name);
  if (fd < 0) Die("mkstemp");
  ::unlink(name);
  if (::write(fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size())) {
    Die("write");
  }
  ::lseek(fd, 0, SEEK_SET);
  return fd;
}

// Reads both pipes to their ends without letting either fill up.
void Drain(int out_fd, int err_fd, std::string& out, std::string& err) {
  pollfd fds[2] = {{out_fd, POLLIN, 0}, {err_fd, POLLIN, 0}};
  std::string* sinks[2] = {&out, &err};
  int open_count = 2;
  char buffer[65536];
  while (open_count > 0) {
    if (::poll(fds, 2, -1) < 0) {
      if (errno == EINTR) continue;
      Die("poll");
    }
    for (int i = 0; i < 2; ++i) {
      if (fds[i].fd < 0 || fds[i].revents == 0) continue;
      const ssize_t got = ::read(fds[i].fd, buffer, sizeof buffer);
      if (got > 0) {
        sinks[i]->append(buffer, static_cast<std::size_t>(got));
      } else if (got == 0 || errno != EINTR) {
        ::close(fds[i].fd);
        fds[i].fd = -1;
        --open_count;
      }
    }
  }
}

}  // namespace

ScratchDir::ScratchDir() {
  char name[] = "/tmp/tablecodes-test-XXXXXX";
  if (::mkdtemp(name) == nullptr) Die("mkdtemp");
  path_ = name;
  // Open to every user, so that a test can run a program unprivileged.
  ::chmod(name, 0777);
}

ScratchDir::~ScratchDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::string ScratchDir::PathOf(std::string_view name) const {
  return path_ + "/" + std::string(name);
}

void ScratchDir::WriteFile(std::string_view name, std::string_view bytes) const {
  std::ofstream file(PathOf(name), std::ios::binary | std::ios::trunc);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!file) throw std::runtime_error("cannot write " + PathOf(name));
}

std::string ScratchDir::ReadFile(std::string_view name) const {
  std::ifstream file(PathOf(name), std::ios::binary);
  if (!file) throw std::runtime_error("cannot read " + PathOf(name));
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

bool ScratchDir::Exists(std::string_view name) const {
  std::error_code ignored;
  return std::filesystem::exists(std::filesystem::symlink_status(PathOf(name), ignored));
}

RunResult RunProgram(const std::string& program, const ScratchDir& dir,
                     const RunOptions& options) {
  const int input_fd = OpenStandardInput(options.standard_input);
  int out_pipe[2];
  int err_pipe[2];
  if (::pipe2(out_pipe, O_CLOEXEC) != 0 || ::pipe2(err_pipe, O_CLOEXEC) != 0) Die("pipe");
  const pid_t pid = ::fork();
  if (pid < 0) Die("fork");
  if (pid == 0) StartChild(program, dir.path(), options, input_fd, out_pipe[1], err_pipe[1]);
  ::close(input_fd);
  ::close(out_pipe[1]);
  ::close(err_pipe[1]);

  RunResult result;
  Drain(out_pipe[0], err_pipe[0], result.standard_output, result.standard_error);
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) Die("waitpid");
  }
  result.exit_status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

std::string Utf16Le(std::u16string_view text) {
  std::string bytes;
  bytes.reserve(2 * text.size());
  for (const char16_t unit : text) {
    bytes.push_back(static_cast<char>(unit & 0xFF));
    bytes.push_back(static_cast<char>(unit >> 8));
  }
  return bytes;
}

std::string WithBom(std::u16string_view text) { return "\xFF\xFE" + Utf16Le(text); }

std::string ClosingErrorLine(int line) {
  return "Error found in file at line " + std::to_string(line) + ".\r\n";
}

std::optional<ErrorReport> ParseErrorReport(const std::string& standard_error) {
  static const std::regex form(
      "Exception (\\S+) in module (\\S+) at [0-9A-F]{8}\\.\r\n([^\r\n]*)\r\n\r\n");
  std::smatch match;
  if (!std::regex_match(standard_error, match, form)) return std::nullopt;
  return ErrorReport{match[1].str(), match[2].str(), match[3].str()};
}

}  // namespace tablecore::testing
