#include "platform/win32/backends/wayland/wayland_shm_buffer.h"

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>

#include "platform/win32/core/painting.h"

namespace win32sw {

namespace {

constexpr int BytesPerPixel = 4;

}  // namespace

bool WaylandShmBuffer::Make(wl_shm* shm, unsigned width, unsigned height) {
  Release();
  const size_t stride = size_t{width} * BytesPerPixel;
  const size_t bytes = stride * height;
  const int memory = memfd_create("velkor-frame", MFD_CLOEXEC);
  if (memory < 0) return false;
  void* pixels = ftruncate(memory, static_cast<off_t>(bytes)) == 0
                     ? mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_SHARED, memory, 0)
                     : MAP_FAILED;
  if (pixels == MAP_FAILED) {
    close(memory);
    return false;
  }
  wl_shm_pool* pool = wl_shm_create_pool(shm, memory, static_cast<int32_t>(bytes));
  // The frame's 0x00RRGGBB words are the compositor's XRGB8888 as they are.
  buffer_ =
      wl_shm_pool_create_buffer(pool, 0, static_cast<int32_t>(width), static_cast<int32_t>(height),
                                static_cast<int32_t>(stride), WL_SHM_FORMAT_XRGB8888);
  // The buffer keeps the pool's memory; the compositor has its own handle on it.
  wl_shm_pool_destroy(pool);
  close(memory);
  static const wl_buffer_listener listener = {Released};
  wl_buffer_add_listener(buffer_, &listener, this);
  pixels_ = pixels;
  bytes_ = bytes;
  width_ = width;
  height_ = height;
  busy_ = false;
  stale_ = RECT{0, 0, static_cast<LONG>(width), static_cast<LONG>(height)};
  return true;
}

void WaylandShmBuffer::Release() {
  if (!buffer_) return;
  wl_buffer_destroy(buffer_);
  munmap(pixels_, bytes_);
  buffer_ = nullptr;
  pixels_ = nullptr;
}

void WaylandShmBuffer::StaleAdd(const RECT& rect) {
  const RECT within{std::max<LONG>(rect.left, 0), std::max<LONG>(rect.top, 0),
                    std::min<LONG>(rect.right, width_), std::min<LONG>(rect.bottom, height_)};
  stale_ = RectUnion(stale_, within);
}

wl_buffer* WaylandShmBuffer::Fill(const FrameView& frame) {
  const size_t stride = size_t{width_} * BytesPerPixel;
  const size_t rowBytes = static_cast<size_t>(stale_.right - stale_.left) * BytesPerPixel;
  for (LONG y = stale_.top; y < stale_.bottom && !RectEmpty(stale_); ++y) {
    const auto* from =
        reinterpret_cast<const char*>(frame.pixels) + y * frame.pitch + stale_.left * BytesPerPixel;
    std::memcpy(static_cast<char*>(pixels_) + y * stride + stale_.left * BytesPerPixel, from,
                rowBytes);
  }
  stale_ = RECT{};
  busy_ = true;
  return buffer_;
}

void WaylandShmBuffer::Released(void* data, wl_buffer*) {
  static_cast<WaylandShmBuffer*>(data)->busy_ = false;
}

}  // namespace win32sw
