#include "platform/win32/backends/sdl/x11/x11_shm_image.h"

#include <sys/ipc.h>
#include <sys/shm.h>

#include <X11/Xutil.h>

#include "platform/win32/backends/sdl/x11/x11_display.h"

namespace win32sw {

bool X11ShmImage::Make(Display* display, Visual* visual, unsigned width, unsigned height) {
  Release();
  display_ = display;
  image_ = XShmCreateImage(display, visual, 24, ZPixmap, nullptr, &segment_, width, height);
  if (!image_) return false;
  segment_.shmid =
      shmget(IPC_PRIVATE, static_cast<size_t>(image_->bytes_per_line) * height, IPC_CREAT | 0600);
  if (segment_.shmid < 0) {
    Release();
    return false;
  }
  segment_.shmaddr = image_->data = static_cast<char*>(shmat(segment_.shmid, nullptr, 0));
  segment_.readOnly = True;
  const bool attached = segment_.shmaddr != reinterpret_cast<char*>(-1) &&
                        XShmAttach(display, &segment_) && (XSync(display, False), true);
  // Marked for removal at once: the segment goes when both ends let go, however this process
  // ends.
  shmctl(segment_.shmid, IPC_RMID, nullptr);
  if (!attached) {
    if (segment_.shmaddr == reinterpret_cast<char*>(-1)) segment_.shmaddr = nullptr;
    Release();
    return false;
  }
  return true;
}

void X11ShmImage::ServerCatchUp() {
  if (inFlight_ && !X11TakenAway()) XSync(display_, False);
  inFlight_ = false;
}

void X11ShmImage::Release() {
  if (!image_) return;
  if (segment_.shmaddr) {
    if (!X11TakenAway()) {
      XShmDetach(display_, &segment_);
      XSync(display_, False);
    }
    shmdt(segment_.shmaddr);
  }
  image_->data = nullptr;
  XDestroyImage(image_);
  image_ = nullptr;
  segment_ = {};
  inFlight_ = false;
}

}  // namespace win32sw
