// Death tests in the threadsafe style start the test program again by its path. A cross build's
// test program, run under a user-mode emulator, starts that way only where the host's kernel
// hands such programs to the emulator itself (binfmt_misc); elsewhere those tests are skipped.
#ifndef VELKOR_TESTS_SUPPORT_PROGRAM_RESTART_H
#define VELKOR_TESTS_SUPPORT_PROGRAM_RESTART_H

#include <string>

// Empty where this host starts the test program by its path; otherwise why it does not. Any
// other failure to start it is left to the death test to report.
std::string ProgramRestartMissing();

#endif
