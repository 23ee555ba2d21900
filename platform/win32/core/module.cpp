// The process: its module handle and its end.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <iostream>

#include "platform/win32/core/backend.h"

namespace {

// What the program's module handle points at; nothing reads through it.
struct Module {
} ProgramModule;

}  // namespace

extern "C" HMODULE WINAPI GetModuleHandleA(LPCSTR name) {
  // The program is the only module: no libraries are loaded by name.
  return name ? nullptr : reinterpret_cast<HMODULE>(&ProgramModule);
}

extern "C" void WINAPI ExitProcess(UINT exitCode) {
  std::cout.flush();
  std::cerr.flush();
  std::fflush(nullptr);
  win32sw::BackendStop();
  std::exit(static_cast<int>(exitCode));
}
