#include "support/program_restart.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

std::string ProgramRestartMissing() {
  // The program's own path, as an emulator gives it: starting /proc/self/exe itself would start
  // the emulator.
  char path[4096];
  const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
  if (length <= 0) return "";
  path[length] = '\0';
  // The child reports a failed exec through a pipe that a successful one closes.
  int report[2];
  if (pipe2(report, O_CLOEXEC) != 0) return "";
  const pid_t child = fork();
  if (child == 0) {
    const int null = open("/dev/null", O_WRONLY);
    dup2(null, STDOUT_FILENO);
    dup2(null, STDERR_FILENO);
    execl(path, path, "--gtest_list_tests", "--gtest_filter=-*", nullptr);
    const int error = errno;
    (void)!write(report[1], &error, sizeof error);
    _exit(127);
  }
  close(report[1]);
  int error = 0;
  const bool failed = child > 0 && read(report[0], &error, sizeof error) == sizeof error;
  close(report[0]);
  if (child > 0) waitpid(child, nullptr, 0);
  if (!failed || error != ENOEXEC) return "";
  return std::string("this host does not start the test program by its path (") +
         std::strerror(error) +
         "): no binfmt_misc handler hands its processor's programs to an emulator";
}
