#include "platform/win32/backends/sdl/x11/x11_presenter.h"

#include <SDL_syswm.h>
#include <X11/Xlib.h>
#include <X11/extensions/Xrender.h>

#include <algorithm>
#include <cstring>
#include <utility>

#include "platform/win32/backends/sdl/x11/x11_display.h"
#include "platform/win32/backends/sdl/x11/x11_refresh.h"
#include "platform/win32/backends/sdl/x11/x11_shm_image.h"

namespace win32sw {

namespace {

// The major opcodes of the extensions the presenters use, and whether a request of one of them
// failed since the presenters last looked.
int ShmOpcode = -1, RenderOpcode = -1, PresentOpcode = -1;
bool RequestFailed = false;

bool Failed() { return std::exchange(RequestFailed, false); }

void OpcodesLearn(Display* display) {
  int event = 0, error = 0;
  XQueryExtension(display, "MIT-SHM", &ShmOpcode, &event, &error);
  XQueryExtension(display, "RENDER", &RenderOpcode, &event, &error);
  XQueryExtension(display, "Present", &PresentOpcode, &event, &error);
}

// The rectangle of a frame of `width` by `height` within `changed`, or all of it.
RECT SourceRect(const RECT* changed, UINT width, UINT height) {
  if (!changed) return {0, 0, static_cast<LONG>(width), static_cast<LONG>(height)};
  return {std::max<LONG>(changed->left, 0), std::max<LONG>(changed->top, 0),
          std::min<LONG>(changed->right, width), std::min<LONG>(changed->bottom, height)};
}

// `from` of a frame `size` wide, as it lands on a client area `clientSize` wide: the scaled span
// widened by a pixel each way for the rounding of the nearest-pixel lookup.
void SpanScale(LONG from0, LONG from1, UINT size, int clientSize, int& to0, int& to1) {
  to0 = std::max(0, static_cast<int>(int64_t{from0} * clientSize / size) - 1);
  to1 = std::min(clientSize, static_cast<int>((int64_t{from1} * clientSize + size - 1) / size) + 1);
}

class X11Presenter final : public Presenter {
 public:
  X11Presenter(Display* display, ::Window window, const XWindowAttributes& attributes,
               XRenderPictFormat* windowFormat)
      : display_(display),
        window_(window),
        visual_(attributes.visual),
        // Pixels go into the window as they are where its visual holds them that way.
        directPut_(attributes.depth == 24 && visual_->red_mask == 0xff0000 &&
                   visual_->green_mask == 0xff00 && visual_->blue_mask == 0xff),
        refresh_(display, window) {
    XRenderPictureAttributes none{};
    target_ = XRenderCreatePicture(display, window, windowFormat, 0, &none);
    gc_ = XCreateGC(display, window, 0, nullptr);
  }

  // Xlib frees its side of each resource even once the connection is lost, and the server's
  // complaints about resources of a window destroyed from outside are taken as expected.
  ~X11Presenter() override {
    image_.Release();
    FrameRelease();
    XRenderFreePicture(display_, target_);
    XFreeGC(display_, gc_);
    if (!X11TakenAway()) XSync(display_, False);
    Failed();
  }

  bool Present(const FrameView& frame, const RECT* changed, int clientWidth,
               int clientHeight) override {
    if (Failed()) {
      // Most likely the window was destroyed from outside; looking at it makes sure that is
      // noticed before the failure is reported.
      XWindowAttributes attributes;
      XGetWindowAttributes(display_, window_, &attributes);
      return Refused("the X server refused a request for the window");
    }
    if (!image_.Holds(frame.width, frame.height) && !FrameMake(frame.width, frame.height)) {
      return Refused("no image in memory shared with the X server");
    }
    image_.ServerCatchUp();
    const RECT source = SourceRect(imageStale_ ? nullptr : changed, frame.width, frame.height);
    RowsCopy(frame, source);
    imageStale_ = false;
    const bool sizeChanged = clientWidth != clientWidth_ || clientHeight != clientHeight_;
    if (sizeChanged) ScaleSet(frame, clientWidth, clientHeight);
    const bool whole = windowStale_ || sizeChanged;
    if (clientWidth == static_cast<int>(frame.width) &&
        clientHeight == static_cast<int>(frame.height) && directPut_) {
      PutDirect(whole ? SourceRect(nullptr, frame.width, frame.height) : source);
    } else {
      Composite(frame, source, whole);
    }
    windowStale_ = false;
    image_.InFlightSet(true);
    XFlush(display_);
    return true;
  }

  void Invalidate() override { windowStale_ = true; }

  bool RefreshWait(UINT count) override {
    if (!refresh_.Wait(count)) return false;
    // The server has done all that was asked before the notice: the image is free again.
    image_.InFlightSet(false);
    return true;
  }

  std::string Failure() const override { return failure_; }

 private:
  bool Refused(const char* why) {
    failure_ = why;
    windowStale_ = imageStale_ = true;
    return false;
  }

  // The image shared with the server and, for scaling, a pixmap of the frame's size the server
  // scales from.
  bool FrameMake(UINT width, UINT height) {
    FrameRelease();
    if (!image_.Make(display_, visual_, width, height) || Failed()) {
      image_.Release();
      return false;
    }
    pixmap_ = XCreatePixmap(display_, window_, width, height, 24);
    XRenderPictureAttributes none{};
    source_ = XRenderCreatePicture(
        display_, pixmap_, XRenderFindStandardFormat(display_, PictStandardRGB24), 0, &none);
    pixmapGc_ = XCreateGC(display_, pixmap_, 0, nullptr);
    clientWidth_ = clientHeight_ = 0;
    imageStale_ = windowStale_ = pixmapStale_ = true;
    return true;
  }

  void FrameRelease() {
    if (!pixmap_) return;
    XRenderFreePicture(display_, source_);
    XFreeGC(display_, pixmapGc_);
    XFreePixmap(display_, pixmap_);
    pixmap_ = 0;
  }

  void RowsCopy(const FrameView& frame, const RECT& source) {
    if (source.left >= source.right) return;
    XImage* image = image_.Image();
    const size_t bytes = static_cast<size_t>(source.right - source.left) * 4;
    for (LONG y = source.top; y < source.bottom; ++y) {
      const auto* from = reinterpret_cast<const char*>(frame.pixels) + y * frame.pitch;
      std::memcpy(image->data + y * image->bytes_per_line + source.left * 4, from + source.left * 4,
                  bytes);
    }
  }

  // Scaling is the source picture's transform: for each pixel of the window the server looks
  // up the frame's pixel at the scaled place, the nearest one.
  void ScaleSet(const FrameView& frame, int clientWidth, int clientHeight) {
    clientWidth_ = clientWidth;
    clientHeight_ = clientHeight;
    XTransform scale{{{XDoubleToFixed(double(frame.width) / clientWidth), 0, 0},
                      {0, XDoubleToFixed(double(frame.height) / clientHeight), 0},
                      {0, 0, XDoubleToFixed(1)}}};
    XRenderSetPictureTransform(display_, source_, &scale);
    XRenderSetPictureFilter(display_, source_, FilterNearest, nullptr, 0);
  }

  void PutDirect(const RECT& rect) {
    if (rect.left >= rect.right || rect.top >= rect.bottom) return;
    XShmPutImage(display_, window_, gc_, image_.Image(), rect.left, rect.top, rect.left, rect.top,
                 rect.right - rect.left, rect.bottom - rect.top, False);
    // The pixmap missed this frame.
    pixmapStale_ = true;
  }

  void Composite(const FrameView& frame, RECT source, bool whole) {
    if (pixmapStale_) source = SourceRect(nullptr, frame.width, frame.height);
    if (source.left < source.right && source.top < source.bottom) {
      XShmPutImage(display_, pixmap_, pixmapGc_, image_.Image(), source.left, source.top,
                   source.left, source.top, source.right - source.left, source.bottom - source.top,
                   False);
    }
    pixmapStale_ = false;
    int x0 = 0, x1 = clientWidth_, y0 = 0, y1 = clientHeight_;
    if (!whole) {
      if (source.left >= source.right || source.top >= source.bottom) return;
      SpanScale(source.left, source.right, frame.width, clientWidth_, x0, x1);
      SpanScale(source.top, source.bottom, frame.height, clientHeight_, y0, y1);
    }
    // With a transform the source is looked up at the destination's own coordinates.
    XRenderComposite(display_, PictOpSrc, source_, 0, target_, x0, y0, 0, 0, x0, y0,
                     static_cast<unsigned>(x1 - x0), static_cast<unsigned>(y1 - y0));
  }

  Display* display_;
  ::Window window_;
  Visual* visual_;
  bool directPut_;
  X11Refresh refresh_;
  X11ShmImage image_;
  Picture target_ = 0;
  GC gc_ = nullptr;
  Pixmap pixmap_ = 0;
  Picture source_ = 0;
  GC pixmapGc_ = nullptr;
  int clientWidth_ = 0, clientHeight_ = 0;  // the size the transform scales to
  bool imageStale_ = true;                  // the image does not hold the frame before
  bool pixmapStale_ = true;                 // nor does the pixmap
  bool windowStale_ = true;                 // nor does the window
  std::string failure_;
};

// Why the server cannot take frames this way, or empty where it can.
std::string ServerLacks(Display* display, const XWindowAttributes& attributes) {
  int major = 0, minor = 0;
  Bool pixmaps = False;
  if (!XShmQueryVersion(display, &major, &minor, &pixmaps)) return "no MIT-SHM extension";
  int event = 0, error = 0;
  if (!XRenderQueryExtension(display, &event, &error)) return "no RENDER extension";
  const XRenderPictFormat* windowFormat = XRenderFindVisualFormat(display, attributes.visual);
  if (!windowFormat) return "RENDER has no format for the window's visual";
  // 8-bit colour goes through a colour map: RENDER maps colours onto what an indexed one held
  // when the server started (little more than black and white), and 3 bits a channel show the
  // cube as bands.
  if (attributes.depth < 15 || windowFormat->type != PictTypeDirect) {
    return "the window has 8-bit colour";
  }
  if (!XRenderFindStandardFormat(display, PictStandardRGB24)) return "RENDER has no RGB24 format";
  int count = 0;
  XPixmapFormatValues* formats = XListPixmapFormats(display, &count);
  bool depth24 = false;
  for (int i = 0; i < count; ++i) {
    depth24 = depth24 || (formats[i].depth == 24 && formats[i].bits_per_pixel == 32);
  }
  XFree(formats);
  return depth24 ? std::string() : "no 32-bit pixmaps of depth 24";
}

}  // namespace

bool X11PresenterErrorTake(unsigned char requestCode) {
  if (requestCode != ShmOpcode && requestCode != RenderOpcode && requestCode != PresentOpcode) {
    return false;
  }
  RequestFailed = true;
  return true;
}

std::unique_ptr<Presenter> X11PresenterCreate(SDL_Window* window, std::string& refusal) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return nullptr;
  Display* display = info.info.x11.display;
  XWindowAttributes attributes;
  if (!XGetWindowAttributes(display, info.info.x11.window, &attributes)) {
    refusal = "the X window cannot be looked at";
    return nullptr;
  }
  refusal = ServerLacks(display, attributes);
  if (!refusal.empty()) return nullptr;
  OpcodesLearn(display);
  Failed();
  // A server on another machine lists MIT-SHM but cannot reach this process's memory.
  X11ShmImage trial;
  if (!trial.Make(display, attributes.visual, 1, 1) || Failed()) {
    trial.Release();
    Failed();
    refusal = "the X server cannot share this process's memory (MIT-SHM)";
    return nullptr;
  }
  return std::make_unique<X11Presenter>(display, info.info.x11.window, attributes,
                                        XRenderFindVisualFormat(display, attributes.visual));
}

}  // namespace win32sw
