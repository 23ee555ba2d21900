// A 32-bit image the X server reads straight from this process's memory (MIT-SHM).
#ifndef VELKOR_PLATFORM_WIN32_X11_X11_SHM_IMAGE_H
#define VELKOR_PLATFORM_WIN32_X11_X11_SHM_IMAGE_H

#include <X11/Xlib.h>
#include <X11/extensions/XShm.h>

namespace win32sw {

class X11ShmImage {
 public:
  X11ShmImage() = default;
  X11ShmImage(const X11ShmImage&) = delete;
  X11ShmImage& operator=(const X11ShmImage&) = delete;
  ~X11ShmImage() { Release(); }

  // Makes an image of `width` by `height` pixels of depth 24, shared with the server. False
  // when the memory cannot be had or the server cannot attach it (a server on another machine);
  // the server's refusal arrives later, as an error.
  bool Make(Display* display, Visual* visual, unsigned width, unsigned height);

  // Gives the memory back, detaching it from the server first.
  void Release();

  XImage* Image() const { return image_; }
  bool Holds(unsigned width, unsigned height) const {
    return image_ && static_cast<unsigned>(image_->width) == width &&
           static_cast<unsigned>(image_->height) == height;
  }

  // The server may still be reading from the image: nothing may be written into it until it
  // has caught up.
  void InFlightSet(bool inFlight) { inFlight_ = inFlight; }
  void ServerCatchUp();

 private:
  Display* display_ = nullptr;
  XImage* image_ = nullptr;
  XShmSegmentInfo segment_{};
  bool inFlight_ = false;
};

}  // namespace win32sw

#endif
