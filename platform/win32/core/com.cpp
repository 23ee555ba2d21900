// COM initialisation: Velkor only needs the per-thread count that pairs CoInitialize with
// CoUninitialize.
#include <windows.h>

namespace {
int ComInitialisations = 0;
}

extern "C" HRESULT WINAPI CoInitialize(LPVOID) {
  return ComInitialisations++ == 0 ? S_OK : S_FALSE;
}

extern "C" void WINAPI CoUninitialize(void) {
  if (ComInitialisations > 0) --ComInitialisations;
}
