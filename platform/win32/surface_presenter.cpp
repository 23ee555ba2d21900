// Showing the software device's frames: each frame is copied into the window's SDL surface
// (on X11 an image in shared memory with the server), scaled when the client area has another
// size, and the surface is sent to the screen. No renderer, so no OpenGL: the window SDL made
// at creation is the one shown for its whole life.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <utility>

#include "platform/win32/painting.h"
#include "platform/win32/stand_in.h"
#include "platform/win32/window.h"

namespace win32sw {

namespace {

constexpr int BytesPerPixel = 4;

// The last frame copied pixel for pixel into a window's surface, so that the next present of the
// same pixels need copy only what changed. One for all windows: what a caller reports changed is
// what changed since its previous present, wherever that went.
struct ShownFrame {
  const SDL_Surface* surface = nullptr;  // marked by pointing its userdata here
  const void* surfacePixels = nullptr;
  const uint32_t* pixels = nullptr;
  UINT width = 0;
  UINT height = 0;
  INT pitch = 0;
};

ShownFrame LastShown;

// Whether `shown` still holds `last`, copied from these pixels. SDL makes a new surface when the
// window's size changes, and a new one carries no mark.
bool SurfaceHolds(const SDL_Surface* shown, const ShownFrame& last, const uint32_t* pixels,
                  UINT width, UINT height, INT pitch) {
  return shown == last.surface && shown->userdata == &LastShown &&
         shown->pixels == last.surfacePixels && pixels == last.pixels && width == last.width &&
         height == last.height && pitch == last.pitch;
}

// A frame of the surface's own size and pixel layout goes in row by row, without SDL's blitter:
// its non-temporal stores leave the surface out of the cache, though the next frame writes the
// same place again.
bool SurfaceTakesRows(const SDL_Surface* shown, UINT width, UINT height) {
  return shown->w == static_cast<int>(width) && shown->h == static_cast<int>(height) &&
         shown->format->format == SDL_PIXELFORMAT_RGB888 && !SDL_MUSTLOCK(shown);
}

// Copies the frame's pixels within `changed` (all of them when it is null) into the surface.
void RowsCopy(SDL_Surface* shown, const uint32_t* pixels, UINT width, UINT height, INT pitch,
              const RECT* changed) {
  const LONG left = changed ? std::max<LONG>(changed->left, 0) : 0;
  const LONG top = changed ? std::max<LONG>(changed->top, 0) : 0;
  const LONG right = changed ? std::min<LONG>(changed->right, width) : width;
  const LONG bottom = changed ? std::min<LONG>(changed->bottom, height) : height;
  if (left >= right) return;
  const BYTE* from = reinterpret_cast<const BYTE*>(pixels) + left * BytesPerPixel;
  BYTE* to = static_cast<BYTE*>(shown->pixels) + left * BytesPerPixel;
  for (LONG y = top; y < bottom; ++y) {
    std::memcpy(to + y * shown->pitch, from + y * pitch, (right - left) * BytesPerPixel);
  }
}

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

// Puts the frame into the window's surface: pixel for pixel when it fits, copying only what
// changed when the surface still holds `last`, the frame before; else scaled to fill it, nearest
// pixel (SDL's bilinear scaling takes about four times as long).
bool FrameCopy(Window& window, SDL_Surface* shown, const ShownFrame& last, const uint32_t* pixels,
               UINT width, UINT height, INT pitch, const RECT* changed) {
  if (SurfaceTakesRows(shown, width, height)) {
    const bool holds = SurfaceHolds(shown, last, pixels, width, height, pitch);
    RowsCopy(shown, pixels, width, height, pitch, holds ? changed : nullptr);
    shown->userdata = &LastShown;
    LastShown = {shown, shown->pixels, pixels, width, height, pitch};
    return true;
  }
  SDL_Surface* frame = FrameSurface(window.presenter, pixels, static_cast<int>(width),
                                    static_cast<int>(height), pitch);
  return frame && SDL_BlitScaled(frame, nullptr, shown, nullptr) == 0;
}

}  // namespace

bool WindowPresent(HWND handle, const uint32_t* pixels, UINT width, UINT height, INT pitch,
                   const RECT* changed) {
  // Only a frame copied pixel for pixel is the one before the next.
  const ShownFrame last = std::exchange(LastShown, ShownFrame{});
  Window* window = WindowFind(handle);
  if (!window || !pixels || static_cast<int64_t>(pitch) < int64_t{BytesPerPixel} * width) {
    return false;
  }
  if (RectEmpty(WindowClientRect(*window)) || width == 0 || height == 0) return true;
  // Asked for every frame: a resize leaves SDL's old surface invalid, and SDL makes a new one of
  // the new size here.
  SDL_Surface* shown = SDL_GetWindowSurface(window->sdlWindow);
  if (shown && FrameCopy(*window, shown, last, pixels, width, height, pitch, changed) &&
      SDL_UpdateWindowSurface(window->sdlWindow) == 0) {
    return true;
  }
  LastShown = {};
  if (!window->presenter.failureSaid) {
    std::fprintf(stderr, "WindowPresent: %s\n", SDL_GetError());
    window->presenter.failureSaid = true;
  }
  return false;
}

}  // namespace win32sw
