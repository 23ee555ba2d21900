// A window on SDL's display: the SDL window of its client area, and the presenter its frames
// reach the screen through.
#ifndef VELKOR_PLATFORM_WIN32_BACKENDS_SDL_SDL_WINDOW_H
#define VELKOR_PLATFORM_WIN32_BACKENDS_SDL_SDL_WINDOW_H

#include <SDL.h>

#include <memory>

#include "platform/win32/backends/sdl/presenter.h"
#include "platform/win32/core/window.h"

namespace win32sw {

class SdlWindow final : public BackendWindow {
 public:
  SdlWindow(SDL_Window* sdl, std::unique_ptr<Presenter> presenter);
  ~SdlWindow() override;

  void Show() override;
  void Hide() override;
  bool Present(const FrameView& frame, const RECT* changed, int clientWidth,
               int clientHeight) override;
  void Invalidate() override;
  bool RefreshWait(UINT count) override;
  std::string Failure() const override;
  bool Gone() const override;
  bool FullScreen(UINT width, UINT height, LONG& clientWidth, LONG& clientHeight) override;

  // Lets go of what the presenter holds on the display, before the connection to it goes.
  void PresenterRelease() { presenter_.reset(); }

  SDL_Window* const sdl;
  const Uint32 id;
  bool destroyedOutside = false;  // by another program, through the display server

 private:
  std::unique_ptr<Presenter> presenter_;
};

// The SDL side of a live window.
SdlWindow& SdlWindowOf(const Window& window);

// The live window shown in SDL's window `id`, or null.
Window* SdlWindowFind(Uint32 id);

}  // namespace win32sw

#endif
