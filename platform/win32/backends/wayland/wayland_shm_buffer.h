// A frame-sized buffer of 32-bit pixels in memory shared with the Wayland compositor (wl_shm).
// It keeps account of what it lacks of the latest frame, so that only that is written into it
// when it is next used.
#ifndef VELKOR_PLATFORM_WIN32_BACKENDS_WAYLAND_WAYLAND_SHM_BUFFER_H
#define VELKOR_PLATFORM_WIN32_BACKENDS_WAYLAND_WAYLAND_SHM_BUFFER_H

#include <wayland-client.h>

#include <cstddef>

#include "platform/win32/core/backend.h"

namespace win32sw {

class WaylandShmBuffer {
 public:
  WaylandShmBuffer() = default;
  WaylandShmBuffer(const WaylandShmBuffer&) = delete;
  WaylandShmBuffer& operator=(const WaylandShmBuffer&) = delete;
  ~WaylandShmBuffer() { Release(); }

  // Makes a buffer of `width` by `height` pixels through `shm`, whose queue hears of its
  // release. False when the memory cannot be had.
  bool Make(wl_shm* shm, unsigned width, unsigned height);

  // Destroys the buffer and gives its memory back.
  void Release();

  bool Holds(unsigned width, unsigned height) const {
    return buffer_ && width_ == width && height_ == height;
  }

  // The compositor may read the buffer until it releases it: nothing may be written into it
  // meanwhile.
  bool Busy() const { return busy_; }

  // The frame changed within `rect` (in its pixels): the buffer lacks that part too.
  void StaleAdd(const RECT& rect);

  // Writes what the buffer lacks of `frame`, of the buffer's size, into it, and hands it to
  // the compositor: it is busy until released.
  wl_buffer* Fill(const FrameView& frame);

 private:
  static void Released(void* data, wl_buffer* buffer);

  wl_buffer* buffer_ = nullptr;
  void* pixels_ = nullptr;
  size_t bytes_ = 0;
  unsigned width_ = 0, height_ = 0;
  bool busy_ = false;
  RECT stale_{};
};

}  // namespace win32sw

#endif
