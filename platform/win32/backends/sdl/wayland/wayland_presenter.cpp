#include "platform/win32/backends/sdl/wayland/wayland_presenter.h"

#include <SDL_syswm.h>
#include <wayland-client.h>

#include <cstring>
#include <utility>

#include "platform/win32/core/painting.h"
#include "platform/win32/backends/sdl/wayland/wayland_queue.h"
#include "platform/win32/backends/sdl/wayland/wayland_refresh.h"
#include "platform/win32/backends/sdl/wayland/wayland_shm_buffer.h"
#include "viewporter-client-protocol.h"

namespace win32sw {

namespace {

// The compositor's services the presenter binds for itself, on its own queue.
struct Globals {
  wl_shm* shm = nullptr;
  wp_viewporter* viewporter = nullptr;
};

void GlobalAdd(void* data, wl_registry* registry, uint32_t name, const char* interface, uint32_t) {
  auto& globals = *static_cast<Globals*>(data);
  if (!globals.shm && std::strcmp(interface, wl_shm_interface.name) == 0) {
    globals.shm = static_cast<wl_shm*>(wl_registry_bind(registry, name, &wl_shm_interface, 1));
  } else if (!globals.viewporter && std::strcmp(interface, wp_viewporter_interface.name) == 0) {
    globals.viewporter =
        static_cast<wp_viewporter*>(wl_registry_bind(registry, name, &wp_viewporter_interface, 1));
  }
}

void GlobalRemove(void*, wl_registry*, uint32_t) {}

void GlobalsRelease(Globals& globals) {
  if (globals.shm) wl_shm_destroy(globals.shm);
  if (globals.viewporter) wp_viewporter_destroy(globals.viewporter);
  globals = {};
}

// What the compositor offers, learnt through a registry on `queue`. Empty where the connection
// failed.
Globals GlobalsBind(WaylandQueue& queue) {
  Globals globals;
  wl_display* display = queue.Wrap(queue.Display());
  wl_registry* registry = wl_display_get_registry(display);
  wl_proxy_wrapper_destroy(display);
  static const wl_registry_listener listener = {GlobalAdd, GlobalRemove};
  wl_registry_add_listener(registry, &listener, &globals);
  if (!queue.Roundtrip()) GlobalsRelease(globals);
  wl_registry_destroy(registry);
  return globals;
}

class WaylandPresenter final : public Presenter {
 public:
  WaylandPresenter(SDL_Window* window, std::unique_ptr<WaylandQueue> queue, wl_surface* surface,
                   const Globals& globals, int refreshRate)
      : window_(window),
        queue_(std::move(queue)),
        surface_(queue_->Wrap(surface)),
        globals_(globals),
        viewport_(wp_viewporter_get_viewport(globals.viewporter, surface)),
        damageInBuffer_(wl_proxy_get_version(reinterpret_cast<wl_proxy*>(surface)) >=
                        WL_SURFACE_DAMAGE_BUFFER_SINCE_VERSION),
        refresh_(*queue_, surface_, refreshRate) {}

  ~WaylandPresenter() override {
    refresh_.Forget();
    for (auto& buffer : buffers_) buffer.Release();
    wp_viewport_destroy(viewport_);
    GlobalsRelease(globals_);
    wl_proxy_wrapper_destroy(surface_);
  }

  bool Present(const FrameView& frame, const RECT* changed, int clientWidth,
               int clientHeight) override {
    // SDL gives a hidden window's surface back its role when it is shown again, which a
    // surface holding a buffer may not take: nothing is attached meanwhile.
    if (SDL_GetWindowFlags(window_) & SDL_WINDOW_HIDDEN) return true;
    if (!buffers_[0].Holds(frame.width, frame.height) && !BuffersMake(frame.width, frame.height)) {
      return Refused("no buffer in memory shared with the compositor");
    }
    const RECT all{0, 0, static_cast<LONG>(frame.width), static_cast<LONG>(frame.height)};
    const RECT change = changed && !surfaceStale_ ? *changed : all;
    surfaceStale_ = false;
    // Each buffer lacks what changed since it was last filled, the surface what changed since
    // a buffer was last attached.
    for (auto& buffer : buffers_) buffer.StaleAdd(change);
    damage_ = RectUnion(damage_, change);
    if (clientWidth != clientWidth_ || clientHeight != clientHeight_) {
      // The window's size is in the compositor's logical units: on an output of scale 2 the
      // frame covers twice as many of its pixels, as a window of that size should.
      wp_viewport_set_destination(viewport_, clientWidth, clientHeight);
      clientWidth_ = clientWidth;
      clientHeight_ = clientHeight;
    }
    // While the compositor holds both buffers (one shown, one kept for a resize it is
    // carrying out, say), the frame waits for the next present; the commit still carries the
    // window's new size and SDL's answers to the compositor.
    if (WaylandShmBuffer* buffer = BufferFree()) {
      wl_surface_attach(surface_, buffer->Fill(frame), 0, 0);
      DamageSend();
    }
    refresh_.Ask();
    wl_surface_commit(surface_);
    // A failure shows when the connection is next read.
    wl_display_flush(queue_->Display());
    return true;
  }

  void Invalidate() override {
    surfaceStale_ = true;
    refresh_.Forget();
  }

  bool RefreshWait(UINT count) override { return refresh_.Wait(count); }

  std::string Failure() const override { return failure_; }

 private:
  bool Refused(const char* why) {
    failure_ = why;
    surfaceStale_ = true;
    return false;
  }

  bool BuffersMake(UINT width, UINT height) {
    for (auto& buffer : buffers_) {
      if (!buffer.Make(globals_.shm, width, height)) return false;
    }
    clientWidth_ = clientHeight_ = 0;
    surfaceStale_ = true;
    return true;
  }

  // A buffer the compositor has let go of, the one filled last where it can: it lacks least.
  WaylandShmBuffer* BufferFree() {
    queue_->DispatchArrived();
    if (buffers_[last_].Busy()) last_ = 1 - last_;
    return buffers_[last_].Busy() ? nullptr : &buffers_[last_];
  }

  void DamageSend() {
    if (RectEmpty(damage_)) return;
    if (damageInBuffer_) {
      wl_surface_damage_buffer(surface_, damage_.left, damage_.top, damage_.right - damage_.left,
                               damage_.bottom - damage_.top);
    } else {
      wl_surface_damage(surface_, 0, 0, INT32_MAX, INT32_MAX);
    }
    damage_ = RECT{};
  }

  SDL_Window* window_;
  std::unique_ptr<WaylandQueue> queue_;
  wl_surface* surface_;  // SDL's surface, its requests' objects on our queue
  Globals globals_;
  wp_viewport* viewport_;
  bool damageInBuffer_;
  WaylandRefresh refresh_;
  WaylandShmBuffer buffers_[2];
  int last_ = 0;                            // the buffer filled last
  int clientWidth_ = 0, clientHeight_ = 0;  // the viewport's destination
  bool surfaceStale_ = true;                // the compositor does not hold the frame before
  RECT damage_{};                           // what changed since a buffer was last attached
  std::string failure_;
};

// The refresh rate of the output SDL places the window on; 0 when it does not know.
int RefreshRateOf(SDL_Window* window) {
  SDL_DisplayMode mode;
  const int display = SDL_GetWindowDisplayIndex(window);
  return display >= 0 && SDL_GetCurrentDisplayMode(display, &mode) == 0 ? mode.refresh_rate : 0;
}

}  // namespace

std::unique_ptr<Presenter> WaylandPresenterCreate(SDL_Window* window, std::string& refusal) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_WAYLAND) return nullptr;
  auto queue = std::make_unique<WaylandQueue>(info.info.wl.display);
  Globals globals = GlobalsBind(*queue);
  if (!globals.shm) {
    refusal = "the compositor offers no shared memory (wl_shm)";
  } else if (!globals.viewporter) {
    refusal = "the compositor cannot scale a window's picture (no wp_viewporter)";
  } else {
    // SDL loads OpenGL, and with it the GL driver, for every window it makes on Wayland, in
    // case the window is drawn with it; frames go through shared memory here, so OpenGL is let
    // go at once. SDL lets go of nothing twice.
    if (SDL_GetWindowFlags(window) & SDL_WINDOW_OPENGL) SDL_GL_UnloadLibrary();
    wl_surface* surface = info.info.wl.surface;
    return std::make_unique<WaylandPresenter>(window, std::move(queue), surface, globals,
                                              RefreshRateOf(window));
  }
  GlobalsRelease(globals);
  return nullptr;
}

}  // namespace win32sw
