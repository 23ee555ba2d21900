// What the software Direct3D 8 device needs from the Windows stand-in beyond the Windows
// interface itself: the display's mode, a way to show pixels and to wait for the display's refresh.
#ifndef VELKOR_PLATFORM_WIN32_STAND_IN_H
#define VELKOR_PLATFORM_WIN32_STAND_IN_H

#include <windows.h>

#include <cstdint>

namespace win32sw {

struct DisplayModeInfo {
  UINT width = 0;
  UINT height = 0;
  UINT refreshRate = 0;  // Hz; 0 when the display does not say
  // 32-bit frames are converted to the display's own pixels on the way; where they cannot be,
  // the display's own depth in bits (8, 15, 16, 24 or 30) is what it offers.
  bool framesShown = true;
  UINT depth = 24;
};

// False when no display can be opened (the reason has been written to standard error once).
bool DisplayModeQuery(DisplayModeInfo& mode);

// Shows a 32-bit 0x00RRGGBB buffer (`pitch` bytes between rows) in the window's client area,
// stretched to it when the sizes differ (by the display server where it can). Draws nothing into a
// minimised or zero-size window. `changed`, when given, bounds the pixels that differ from those
// the previous call was given, if that call showed the same buffer; a window still holding that
// frame takes only them. False when `window` is not a live window, or when the frame could not be
// shown (said once on standard error).
bool WindowPresent(HWND window, const uint32_t* pixels, UINT width, UINT height, INT pitch,
                   const RECT* changed = nullptr);

// Waits for the `count`-th refresh from now of the display showing `window`. False when that
// display does not tell its refreshes (or the window is not on screen): the caller paces
// itself.
bool WindowRefreshWait(HWND window, UINT count);

// Makes the window cover the display at the given size (the full-screen device's mode).
bool WindowFullScreen(HWND window, UINT width, UINT height);

}  // namespace win32sw

#endif
