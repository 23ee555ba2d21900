// Each frame is copied into the window's SDL surface (on X11 an image in shared memory with the
// server), scaled on the processor when the client area has another size, and the surface is
// sent to the screen. No renderer, so no OpenGL: the window SDL made at creation is the one shown
// for its whole life.
#include "platform/win32/backends/sdl/surface_presenter.h"

#include <algorithm>
#include <cstring>

namespace win32sw {

namespace {

constexpr int BytesPerPixel = 4;

// A frame of the surface's own size and pixel layout goes in row by row, without SDL's blitter:
// its non-temporal stores leave the surface out of the cache, though the next frame writes the
// same place again.
bool SurfaceTakesRows(const SDL_Surface* shown, const FrameView& frame) {
  return shown->w == static_cast<int>(frame.width) && shown->h == static_cast<int>(frame.height) &&
         shown->format->format == SDL_PIXELFORMAT_RGB888 && !SDL_MUSTLOCK(shown);
}

// Copies the frame's pixels within `changed` (all of them when it is null) into the surface.
void RowsCopy(SDL_Surface* shown, const FrameView& frame, const RECT* changed) {
  const LONG left = changed ? std::max<LONG>(changed->left, 0) : 0;
  const LONG top = changed ? std::max<LONG>(changed->top, 0) : 0;
  const LONG right = changed ? std::min<LONG>(changed->right, frame.width) : frame.width;
  const LONG bottom = changed ? std::min<LONG>(changed->bottom, frame.height) : frame.height;
  if (left >= right) return;
  const BYTE* from = reinterpret_cast<const BYTE*>(frame.pixels) + left * BytesPerPixel;
  BYTE* to = static_cast<BYTE*>(shown->pixels) + left * BytesPerPixel;
  for (LONG y = top; y < bottom; ++y) {
    std::memcpy(to + y * shown->pitch, from + y * frame.pitch, (right - left) * BytesPerPixel);
  }
}

class SurfacePresenter final : public Presenter {
 public:
  explicit SurfacePresenter(SDL_Window* window) : window_(window) {}
  ~SurfacePresenter() override { SDL_FreeSurface(frameSurface_); }

  bool Present(const FrameView& frame, const RECT* changed, int, int) override {
    // Asked for every frame: a resize leaves SDL's old surface invalid, and SDL makes a new one
    // of the new size here.
    SDL_Surface* shown = SDL_GetWindowSurface(window_);
    const bool ok =
        shown && FrameCopy(shown, frame, changed) && SDL_UpdateWindowSurface(window_) == 0;
    if (!ok) {
      Invalidate();
      failure_ = SDL_GetError();
    }
    return ok;
  }

  void Invalidate() override { held_ = nullptr; }

  // SDL's surfaces know nothing of the display's refreshes.
  bool RefreshWait(UINT) override { return false; }

  std::string Failure() const override { return failure_; }

 private:
  // Whether `shown` still holds the frame before. SDL makes a new surface when the window's size
  // changes, and a new one carries no mark, even where it reuses the old one's address.
  bool Holds(const SDL_Surface* shown) const {
    return shown == held_ && shown->userdata == this && shown->pixels == heldPixels_;
  }

  // Puts the frame into the window's surface: pixel for pixel when it fits, copying only what
  // changed when the surface still holds the frame before; else scaled to fill it, nearest
  // pixel (SDL's bilinear scaling takes about four times as long).
  bool FrameCopy(SDL_Surface* shown, const FrameView& frame, const RECT* changed) {
    if (SurfaceTakesRows(shown, frame)) {
      RowsCopy(shown, frame, Holds(shown) ? changed : nullptr);
      shown->userdata = this;
      held_ = shown;
      heldPixels_ = shown->pixels;
      return true;
    }
    held_ = nullptr;
    SDL_Surface* source = FrameSurface(frame);
    return source && SDL_BlitScaled(source, nullptr, shown, nullptr) == 0;
  }

  // An SDL surface over the frame's pixels. The device presents the same buffers over and over,
  // so the surface is made again only when the frame's size or row pitch changes.
  SDL_Surface* FrameSurface(const FrameView& frame) {
    const int width = static_cast<int>(frame.width), height = static_cast<int>(frame.height);
    if (frameSurface_ && (frameSurface_->w != width || frameSurface_->h != height ||
                          frameSurface_->pitch != frame.pitch)) {
      SDL_FreeSurface(frameSurface_);
      frameSurface_ = nullptr;
    }
    // SDL only reads from a surface it blits from.
    void* bits = const_cast<uint32_t*>(frame.pixels);
    // 0x00RRGGBB exactly; a format with alpha would blend the unused byte in.
    if (!frameSurface_) {
      frameSurface_ = SDL_CreateRGBSurfaceWithFormatFrom(bits, width, height, 32, frame.pitch,
                                                         SDL_PIXELFORMAT_RGB888);
    }
    if (frameSurface_) frameSurface_->pixels = bits;
    return frameSurface_;
  }

  SDL_Window* window_;
  SDL_Surface* frameSurface_ = nullptr;
  const SDL_Surface* held_ = nullptr;  // the surface holding the frame before, if any
  const void* heldPixels_ = nullptr;
  std::string failure_;
};

}  // namespace

std::unique_ptr<Presenter> SurfacePresenterCreate(SDL_Window* window) {
  return std::make_unique<SurfacePresenter>(window);
}

}  // namespace win32sw
