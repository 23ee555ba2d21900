// Showing the software device's frames: each frame is copied into the window's SDL surface
// (on X11 an image in shared memory with the server), scaled when the client area has another
// size, and the surface is sent to the screen. No renderer, so no OpenGL: the window SDL made
// at creation is the one shown for its whole life.
#include <cstdio>

#include "platform/win32/painting.h"
#include "platform/win32/stand_in.h"
#include "platform/win32/window.h"

namespace win32sw {

namespace {

constexpr int BytesPerPixel = 4;

// An SDL surface over the frame's pixels. The device presents the same buffers over and over,
// so the surface is made again only when the frame's size or row pitch changes.
SDL_Surface* FrameSurface(WindowPresenter& presenter, const uint32_t* pixels, int width, int height,
                          int pitch) {
  SDL_Surface*& frame = presenter.frame;
  if (frame && (frame->w != width || frame->h != height || frame->pitch != pitch)) {
    SDL_FreeSurface(frame);
    frame = nullptr;
  }
  // SDL only reads from a surface it blits from.
  void* bits = const_cast<uint32_t*>(pixels);
  // 0x00RRGGBB exactly; a format with alpha would blend the unused byte in.
  if (!frame) {
    frame =
        SDL_CreateRGBSurfaceWithFormatFrom(bits, width, height, 32, pitch, SDL_PIXELFORMAT_RGB888);
  }
  if (frame) frame->pixels = bits;
  return frame;
}

}  // namespace

bool WindowPresent(HWND handle, const uint32_t* pixels, UINT width, UINT height, INT pitch) {
  Window* window = WindowFind(handle);
  if (!window || !pixels || static_cast<int64_t>(pitch) < int64_t{BytesPerPixel} * width) {
    return false;
  }
  if (RectEmpty(WindowClientRect(*window)) || width == 0 || height == 0) return true;
  // Asked for every frame: a resize leaves SDL's old surface invalid, and SDL makes a new one of
  // the new size here.
  SDL_Surface* shown = SDL_GetWindowSurface(window->sdlWindow);
  SDL_Surface* frame = shown ? FrameSurface(window->presenter, pixels, static_cast<int>(width),
                                            static_cast<int>(height), pitch)
                             : nullptr;
  // One straight copy when the sizes match; else scaled to fill the client area, nearest pixel
  // (SDL's bilinear scaling takes about four times as long).
  if (frame && SDL_BlitScaled(frame, nullptr, shown, nullptr) == 0 &&
      SDL_UpdateWindowSurface(window->sdlWindow) == 0) {
    return true;
  }
  if (!window->presenter.failureSaid) {
    std::fprintf(stderr, "WindowPresent: %s\n", SDL_GetError());
    window->presenter.failureSaid = true;
  }
  return false;
}

}  // namespace win32sw
