// SDL's back end of the desktop, its parts defined beside what they use of SDL.
#ifndef VELKOR_PLATFORM_WIN32_BACKENDS_SDL_SDL_BACKEND_H
#define VELKOR_PLATFORM_WIN32_BACKENDS_SDL_SDL_BACKEND_H

#include <SDL.h>

#include "platform/win32/backends/desktop/desktop_backend.h"

namespace win32sw {

class SdlDesktop final : public DesktopBackend {
 public:
  bool Start(const char* windowClass) override;                // video.cpp
  bool OnScreen() override;                                    // video.cpp
  void Stop() override;                                        // video.cpp
  std::unique_ptr<BackendWindow> WindowCreate(Window& window,  // sdl_window.cpp
                                              const WindowPlacement& placement) override;
  bool EventsTake(int timeoutMilliseconds) override;                 // sdl_events.cpp
  bool DisplayMode(DisplayModeInfo& mode) override;                  // sdl_display.cpp
  void MessageBox(UINT type, const char* caption, const char* text,  // sdl_message_box.cpp
                  const Window* owner) override;
  KeyModifiers Modifiers() override;  // sdl_keys.cpp
};

// The box of one OK button SDL shows over `owner` (may be null), with or without SDL's video
// started: on Wayland it is zenity's.
void SdlMessageBoxShow(UINT type, const char* caption, const char* text, SDL_Window* owner);

}  // namespace win32sw

#endif
