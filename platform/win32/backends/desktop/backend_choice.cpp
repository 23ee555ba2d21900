// Which back end a desktop program's windows go through: the Wayland one where the environment
// names Wayland alone, or asks SDL for it first; SDL's everywhere else. SDL, like the program,
// takes X11 where both are named. Until a display is opened, SDL's answers for it.
#include <cstdlib>
#include <string>

#include "platform/win32/backends/desktop/desktop_backend.h"

namespace win32sw {

namespace {

DesktopBackend* Started = nullptr;

bool Named(const char* variable) {
  const char* value = std::getenv(variable);
  return value && *value;
}

DesktopBackend& Wanted() {
  if (Named("SDL_VIDEODRIVER")) {
    const std::string drivers = std::getenv("SDL_VIDEODRIVER");
    return drivers.substr(0, drivers.find(',')) == "wayland" ? WaylandBackend() : SdlBackend();
  }
  return Named("WAYLAND_DISPLAY") && !Named("DISPLAY") ? WaylandBackend() : SdlBackend();
}

DesktopBackend& Current() { return Started ? *Started : SdlBackend(); }

}  // namespace

bool BackendStart(const char* windowClass) {
  if (Started) return Started->Start(windowClass);
  DesktopBackend& wanted = Wanted();
  if (!wanted.Start(windowClass)) return false;
  Started = &wanted;
  return true;
}

bool BackendOnScreen() { return BackendStart() && Started->OnScreen(); }

void BackendStop() {
  if (!Started) return;
  Started->Stop();
  Started = nullptr;
}

std::unique_ptr<BackendWindow> BackendWindowCreate(Window& window,
                                                   const WindowPlacement& placement) {
  return Current().WindowCreate(window, placement);
}

bool BackendEventsTake(int timeoutMilliseconds) {
  return Current().EventsTake(timeoutMilliseconds);
}

bool BackendDisplayMode(DisplayModeInfo& mode) { return Current().DisplayMode(mode); }

void BackendMessageBox(UINT type, const char* caption, const char* text, const Window* owner) {
  Current().MessageBox(type, caption, text, owner);
}

KeyModifiers BackendKeyModifiers() { return Current().Modifiers(); }

}  // namespace win32sw
