#include "platform/win32/backends/sdl/sdl_window.h"

#include <cstdio>

#include "platform/win32/backends/sdl/sdl_backend.h"
#include "platform/win32/backends/sdl/x11/x11_display.h"

namespace win32sw {

SdlWindow::SdlWindow(SDL_Window* sdl, std::unique_ptr<Presenter> presenter)
    : sdl(sdl), id(SDL_GetWindowID(sdl)), presenter_(std::move(presenter)) {}

SdlWindow::~SdlWindow() {
  presenter_.reset();
  // What another program or the server's end destroyed is left to the process's end, and so is
  // everything once SDL has been shut down.
  if (SDL_WasInit(SDL_INIT_VIDEO) && !Gone()) SDL_DestroyWindow(sdl);
}

void SdlWindow::Show() { SDL_ShowWindow(sdl); }

void SdlWindow::Hide() { SDL_HideWindow(sdl); }

bool SdlWindow::Present(const FrameView& frame, const RECT* changed, int clientWidth,
                        int clientHeight) {
  return presenter_->Present(frame, changed, clientWidth, clientHeight);
}

void SdlWindow::Invalidate() { presenter_->Invalidate(); }

bool SdlWindow::RefreshWait(UINT count) { return presenter_->RefreshWait(count); }

std::string SdlWindow::Failure() const { return presenter_->Failure(); }

bool SdlWindow::Gone() const { return X11WindowGone(*this); }

bool SdlWindow::FullScreen(UINT width, UINT height, LONG& clientWidth, LONG& clientHeight) {
  // A display that has the mode switches to it; one that has not keeps its own and the
  // window covers it, the frames stretched to fit.
  Uint32 fullScreen = SDL_WINDOW_FULLSCREEN_DESKTOP;
  SDL_DisplayMode wanted{};
  wanted.w = static_cast<int>(width);
  wanted.h = static_cast<int>(height);
  SDL_DisplayMode closest;
  const int display = SDL_GetWindowDisplayIndex(sdl);
  if (display >= 0 && SDL_GetClosestDisplayMode(display, &wanted, &closest) &&
      closest.w == wanted.w && closest.h == wanted.h &&
      SDL_SetWindowDisplayMode(sdl, &closest) == 0) {
    fullScreen = SDL_WINDOW_FULLSCREEN;
  }
  if (SDL_SetWindowFullscreen(sdl, fullScreen) != 0) {
    std::fprintf(stderr, "WindowFullScreen: %s\n", SDL_GetError());
    return false;
  }
  int w = 0, h = 0;
  SDL_GetWindowSize(sdl, &w, &h);
  clientWidth = w;
  clientHeight = h;
  return true;
}

SdlWindow& SdlWindowOf(const Window& window) { return static_cast<SdlWindow&>(*window.shown); }

Window* SdlWindowFind(Uint32 id) {
  for (const auto& window : WindowsLive()) {
    if (window->shown && SdlWindowOf(*window).id == id) return window.get();
  }
  return nullptr;
}

std::unique_ptr<BackendWindow> SdlDesktop::WindowCreate(Window&, const WindowPlacement& placement) {
  const int x = placement.placedBySystem ? SDL_WINDOWPOS_UNDEFINED : placement.x;
  const int y = placement.placedBySystem ? SDL_WINDOWPOS_UNDEFINED : placement.y;
  const Uint32 flags = SDL_WINDOW_HIDDEN | (placement.resizable ? SDL_WINDOW_RESIZABLE : 0);
  SDL_Window* sdl =
      SDL_CreateWindow(placement.title, x, y, placement.clientWidth, placement.clientHeight, flags);
  if (!sdl) {
    std::fprintf(stderr, "CreateWindowExA: %s\n", SDL_GetError());
    return nullptr;
  }
  X11DisplayWatch(sdl);
  return std::make_unique<SdlWindow>(sdl, PresenterChoose(sdl));
}

}  // namespace win32sw
