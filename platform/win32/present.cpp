// Showing the software device's frames: each frame goes into a streaming texture the size of
// the frame, which the renderer stretches over the client area.
#include <cstdio>

#include "platform/win32/painting.h"
#include "platform/win32/stand_in.h"
#include "platform/win32/window.h"
#include "platform/win32/window_class.h"
#include "platform/win32/x11_class_hint.h"

namespace win32sw {

namespace {

constexpr int BytesPerPixel = 4;

// Makes the renderer and a texture of the frame's size. False, said once, where SDL cannot.
bool PresenterReady(Window& window, int width, int height) {
  WindowPresenter& presenter = window.presenter;
  if (presenter.failed) return false;
  if (!presenter.renderer) {
    presenter.renderer = SDL_CreateRenderer(window.sdlWindow, -1, 0);
    // An OpenGL renderer makes SDL recreate the X window, which loses its class name.
    X11ClassHintSet(window.sdlWindow, window.windowClass->name.c_str());
  }
  if (presenter.renderer && (!presenter.texture || presenter.textureWidth != width ||
                             presenter.textureHeight != height)) {
    if (presenter.texture) SDL_DestroyTexture(presenter.texture);
    // 0x00RRGGBB exactly; a format with alpha would blend the unused byte away.
    presenter.texture = SDL_CreateTexture(presenter.renderer, SDL_PIXELFORMAT_RGB888,
                                          SDL_TEXTUREACCESS_STREAMING, width, height);
    if (presenter.texture) SDL_SetTextureScaleMode(presenter.texture, SDL_ScaleModeLinear);
    presenter.textureWidth = width;
    presenter.textureHeight = height;
  }
  if (!presenter.texture) {
    std::fprintf(stderr, "WindowPresent: %s\n", SDL_GetError());
    presenter.failed = true;
  }
  return !presenter.failed;
}

}  // namespace

bool WindowPresent(HWND handle, const uint32_t* pixels, UINT width, UINT height, INT pitch) {
  Window* window = WindowFind(handle);
  if (!window || !pixels || static_cast<int64_t>(pitch) < int64_t{BytesPerPixel} * width) {
    return false;
  }
  if (RectEmpty(WindowClientRect(*window)) || width == 0 || height == 0) return true;
  if (!PresenterReady(*window, static_cast<int>(width), static_cast<int>(height))) return false;
  SDL_UpdateTexture(window->presenter.texture, nullptr, pixels, pitch);
  SDL_RenderCopy(window->presenter.renderer, window->presenter.texture, nullptr, nullptr);
  SDL_RenderPresent(window->presenter.renderer);
  return true;
}

}  // namespace win32sw
