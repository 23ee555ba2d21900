#include "support/known_wine_difference.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {

bool UnderWine() {
#ifdef _WIN32
  // Wine's ntdll exports its version; Windows' does not.
  const HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  return ntdll && GetProcAddress(ntdll, "wine_get_version");
#else
  return false;
#endif
}

}  // namespace

bool KnownWineDifference(const char* difference, const char* evidence) {
  if (!UnderWine()) return false;
  std::cout << "known Wine difference, not checked: " << difference << " (Windows: " << evidence
            << ")\n";
  ::testing::Test::RecordProperty("known_wine_difference", difference);
  return true;
}
