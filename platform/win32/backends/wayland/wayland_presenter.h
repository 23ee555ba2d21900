// Frames on Wayland as the graphics card shows them on Windows: each frame goes to the
// compositor once, at its own size, in memory shared with it (wl_shm), and the compositor
// scales it to the window's size (wp_viewporter); only the part that changed is marked damaged.
// Refreshes are counted by frame callbacks.
#ifndef VELKOR_PLATFORM_WIN32_BACKENDS_WAYLAND_WAYLAND_PRESENTER_H
#define VELKOR_PLATFORM_WIN32_BACKENDS_WAYLAND_WAYLAND_PRESENTER_H

#include <wayland-client.h>

#include <functional>
#include <memory>
#include <string>

#include "platform/win32/backends/wayland/wayland_queue.h"
#include "platform/win32/backends/wayland/wayland_refresh.h"
#include "platform/win32/backends/wayland/wayland_shm_buffer.h"
#include "platform/win32/core/backend.h"

struct wp_viewporter;
struct wp_viewport;

namespace win32sw {

// The frames go to a surface of the presenter's own, placed over the whole of the window's
// surface as its subsurface and committed on its own: the window's surface is committed only
// when its size or state changes. The presenter's objects are on a queue of its own, which it
// waits on alone.
class WaylandPresenter {
 public:
  // For frames over `parent`, on an output refreshing `refreshRate` times a second (0:
  // unknown). A wait for a refresh that does not come ends early once `awake` holds. Null where
  // the compositor lacks what the presenter needs; `refusal` says what.
  static std::unique_ptr<WaylandPresenter> Create(wl_display* display, wl_surface* parent,
                                                  int refreshRate, std::function<bool()> awake,
                                                  std::string& refusal);
  WaylandPresenter(const WaylandPresenter&) = delete;
  WaylandPresenter& operator=(const WaylandPresenter&) = delete;
  ~WaylandPresenter();

  // As BackendWindow's.
  bool Present(const FrameView& frame, const RECT* changed, int clientWidth, int clientHeight);
  void Invalidate();
  bool RefreshWait(UINT count) { return refresh_.Wait(count, awake_); }
  std::string Failure() const { return failure_; }

 private:
  struct Globals {
    wl_compositor* compositor = nullptr;
    wl_subcompositor* subcompositor = nullptr;
    wl_shm* shm = nullptr;
    wp_viewporter* viewporter = nullptr;
  };
  static Globals GlobalsBind(WaylandQueue& queue);
  static void GlobalsRelease(Globals& globals);

  WaylandPresenter(std::unique_ptr<WaylandQueue> queue, wl_surface* parent, const Globals& globals,
                   int refreshRate, std::function<bool()> awake);

  bool Refused(const char* why);
  bool BuffersMake(UINT width, UINT height);
  WaylandShmBuffer* BufferFree();
  void DamageSend();

  std::unique_ptr<WaylandQueue> queue_;
  Globals globals_;
  wl_surface* surface_;
  wl_subsurface* subsurface_;
  wp_viewport* viewport_;
  bool damageInBuffer_;
  WaylandRefresh refresh_;
  std::function<bool()> awake_;
  WaylandShmBuffer buffers_[2];
  int last_ = 0;                            // the buffer filled last
  int clientWidth_ = 0, clientHeight_ = 0;  // the viewport's destination
  bool surfaceStale_ = true;                // the compositor does not hold the frame before
  RECT damage_{};                           // what changed since a buffer was last attached
  std::string failure_;
};

}  // namespace win32sw

#endif
