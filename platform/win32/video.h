// SDL's video subsystem, started by the first call that needs a display.
#ifndef VELKOR_PLATFORM_WIN32_VIDEO_H
#define VELKOR_PLATFORM_WIN32_VIDEO_H

namespace win32sw {

// Starts SDL video on the first call. False where no display can be opened; the reason is
// written to standard error once, and later calls fail at once without trying again.
// SDL reads the class it gives its windows (X11's WM_CLASS, Wayland's app id) once, as video
// starts: `windowClass`, when given on that first call, is the class of all of them.
bool VideoStart(const char* windowClass = nullptr);

// True when the video driver shows windows to someone (not SDL's headless drivers).
bool VideoOnScreen();

// Shuts SDL down; the process is about to end.
void VideoStop();

}  // namespace win32sw

#endif
