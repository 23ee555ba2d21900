// The back ends a desktop program can show its windows through, one chosen when the display is
// first opened: SDL's (X11, or whatever else SDL runs on), or the program's own on Wayland, where
// SDL would load OpenGL for every window. Each does what backend.h says of the functions of the
// same names.
#ifndef VELKOR_PLATFORM_WIN32_BACKENDS_DESKTOP_DESKTOP_BACKEND_H
#define VELKOR_PLATFORM_WIN32_BACKENDS_DESKTOP_DESKTOP_BACKEND_H

#include "platform/win32/core/backend.h"

namespace win32sw {

class DesktopBackend {
 public:
  virtual bool Start(const char* windowClass) = 0;
  virtual bool OnScreen() = 0;
  virtual void Stop() = 0;
  virtual std::unique_ptr<BackendWindow> WindowCreate(Window& window,
                                                      const WindowPlacement& placement) = 0;
  virtual bool EventsTake(int timeoutMilliseconds) = 0;
  virtual bool DisplayMode(DisplayModeInfo& mode) = 0;
  virtual void MessageBox(UINT type, const char* caption, const char* text,
                          const Window* owner) = 0;
  virtual KeyModifiers Modifiers() = 0;

 protected:
  ~DesktopBackend() = default;
};

DesktopBackend& SdlBackend();
DesktopBackend& WaylandBackend();

}  // namespace win32sw

#endif
