#include "platform/win32/backends/sdl/wayland/wayland_presenter.h"

#include <SDL_syswm.h>
#include <wayland-client.h>

#include <algorithm>
#include <utility>

#include "platform/win32/backends/sdl/wayland/wayland_globals.h"
#include "platform/win32/backends/sdl/wayland/wayland_queue.h"
#include "platform/win32/backends/sdl/wayland/wayland_refresh.h"
#include "platform/win32/backends/sdl/wayland/wayland_shm_buffer.h"
#include "platform/win32/core/painting.h"
#include "viewporter-client-protocol.h"

namespace win32sw {

namespace {

// The compositor's services the presenter binds for itself, on its own queue.
struct Globals {
  wl_compositor* compositor = nullptr;
  wl_subcompositor* subcompositor = nullptr;
  wl_shm* shm = nullptr;
  wp_viewporter* viewporter = nullptr;
};

// Buffer-relative damage came with version 4 of the compositor's surfaces.
constexpr uint32_t CompositorVersion = WL_SURFACE_DAMAGE_BUFFER_SINCE_VERSION;

void GlobalsRelease(Globals& globals) {
  if (globals.compositor) wl_compositor_destroy(globals.compositor);
  if (globals.subcompositor) wl_subcompositor_destroy(globals.subcompositor);
  if (globals.shm) wl_shm_destroy(globals.shm);
  if (globals.viewporter) wp_viewporter_destroy(globals.viewporter);
  globals = {};
}

template <typename Proxy>
void Bind(Proxy*& proxy, wl_registry* registry, uint32_t name, const wl_interface& interface,
          uint32_t version = 1) {
  if (!proxy) proxy = static_cast<Proxy*>(wl_registry_bind(registry, name, &interface, version));
}

// What the compositor offers, learnt through a registry on `queue`. Empty where the connection
// failed.
Globals GlobalsBind(WaylandQueue& queue, uint32_t compositorVersion) {
  Globals globals;
  const bool answered =
      WaylandGlobalsEach(queue, [&](wl_registry* registry, uint32_t name, const char* interface) {
        const std::string offered = interface;
        if (offered == wl_compositor_interface.name) {
          Bind(globals.compositor, registry, name, wl_compositor_interface, compositorVersion);
        } else if (offered == wl_subcompositor_interface.name) {
          Bind(globals.subcompositor, registry, name, wl_subcompositor_interface);
        } else if (offered == wl_shm_interface.name) {
          Bind(globals.shm, registry, name, wl_shm_interface);
        } else if (offered == wp_viewporter_interface.name) {
          Bind(globals.viewporter, registry, name, wp_viewporter_interface);
        }
      });
  if (!answered) GlobalsRelease(globals);
  return globals;
}

// True once SDL has events for the program: a key, a close request, the window shown again.
// SDL queues them only as it reads them from the connection.
bool SdlEventsArrived() {
  SDL_PumpEvents();
  return SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) > 0;
}

// The frames go to a surface of the presenter's own, placed over the whole of SDL's as its
// subsurface, and committed on its own. SDL damages the whole of its own surface after every
// refresh that shows it, asking for the next at once: on SDL's surface every frame would redraw
// the whole window, and ask for two refreshes. SDL's surface holds one black pixel spread over the
// client area and is committed only when the window's size or role changes, so nothing of SDL's
// reaches the compositor between.
class WaylandPresenter final : public Presenter {
 public:
  WaylandPresenter(SDL_Window* window, std::unique_ptr<WaylandQueue> queue, wl_surface* sdlSurface,
                   const Globals& globals, int refreshRate)
      : window_(window),
        queue_(std::move(queue)),
        globals_(globals),
        parent_(sdlSurface),
        parentViewport_(wp_viewporter_get_viewport(globals.viewporter, parent_)),
        surface_(wl_compositor_create_surface(globals.compositor)),
        subsurface_(wl_subcompositor_get_subsurface(globals.subcompositor, surface_, parent_)),
        viewport_(wp_viewporter_get_viewport(globals.viewporter, surface_)),
        damageInBuffer_(wl_proxy_get_version(reinterpret_cast<wl_proxy*>(surface_)) >=
                        WL_SURFACE_DAMAGE_BUFFER_SINCE_VERSION),
        refresh_(*queue_, surface_, refreshRate) {
    wl_subsurface_set_desync(subsurface_);
    // Pointer events go through to SDL's surface, which SDL knows; this one it does not.
    wl_region* nowhere = wl_compositor_create_region(globals.compositor);
    wl_surface_set_input_region(surface_, nowhere);
    wl_region_destroy(nowhere);
  }

  ~WaylandPresenter() override {
    refresh_.Forget();
    wl_subsurface_destroy(subsurface_);
    wp_viewport_destroy(viewport_);
    wl_surface_destroy(surface_);
    for (auto& buffer : buffers_) buffer.Release();
    wp_viewport_destroy(parentViewport_);
    background_.Release();
    GlobalsRelease(globals_);
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
    // Each buffer lacks what changed since it was last filled, the surface what changed since
    // a buffer was last attached.
    for (auto& buffer : buffers_) buffer.StaleAdd(change);
    damage_ = RectUnion(damage_, change);
    const bool resized = clientWidth != clientWidth_ || clientHeight != clientHeight_;
    if (resized) {
      // The window's size is in the compositor's logical units: on an output of scale 2 the
      // frame covers twice as many of its pixels, as a window of that size should.
      wp_viewport_set_destination(viewport_, clientWidth, clientHeight);
      OpaqueSet(clientWidth, clientHeight);
      clientWidth_ = clientWidth;
      clientHeight_ = clientHeight;
    }
    // While the compositor holds both buffers (one shown, one kept for a resize it is
    // carrying out, say), the frame waits for the next present.
    if (WaylandShmBuffer* buffer = BufferFree()) {
      wl_surface_attach(surface_, buffer->Fill(frame), 0, 0);
      DamageSend();
    }
    refresh_.Ask();
    wl_surface_commit(surface_);
    // SDL's surface carries the window's size, and SDL's answers to the compositor, which it
    // leaves to the next commit.
    if (resized || surfaceStale_) ParentCommit();
    surfaceStale_ = false;
    // A failure shows when the connection is next read.
    wl_display_flush(queue_->Display());
    return true;
  }

  void Invalidate() override {
    surfaceStale_ = true;
    refresh_.Forget();
  }

  bool RefreshWait(UINT count) override { return refresh_.Wait(count, SdlEventsArrived); }

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
    if (!background_.Holds(1, 1) && !background_.Make(globals_.shm, 1, 1)) return false;
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

  // The compositor need not draw what lies under the frame.
  void OpaqueSet(int width, int height) {
    wl_region* opaque = wl_compositor_create_region(globals_.compositor);
    wl_region_add(opaque, 0, 0, width, height);
    wl_surface_set_opaque_region(surface_, opaque);
    wl_region_destroy(opaque);
  }

  // SDL's surface, the black pixel over the client area beneath the frames.
  void ParentCommit() {
    static constexpr uint32_t Black = 0;
    wl_surface_attach(parent_, background_.Fill(FrameView{&Black, 1, 1, 4}), 0, 0);
    wl_surface_damage(parent_, 0, 0, INT32_MAX, INT32_MAX);
    wp_viewport_set_destination(parentViewport_, clientWidth_, clientHeight_);
    wl_surface_commit(parent_);
  }

  SDL_Window* window_;
  std::unique_ptr<WaylandQueue> queue_;
  Globals globals_;
  wl_surface* parent_;  // SDL's surface
  wp_viewport* parentViewport_;
  WaylandShmBuffer background_;
  wl_surface* surface_;  // the frames' own
  wl_subsurface* subsurface_;
  wp_viewport* viewport_;
  bool damageInBuffer_;
  WaylandRefresh refresh_;
  WaylandShmBuffer buffers_[2];
  int last_ = 0;                            // the buffer filled last
  int clientWidth_ = 0, clientHeight_ = 0;  // the viewports' destination
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
  // The version SDL's own surfaces have, so that the frames' surface takes damage as they do.
  const uint32_t compositorVersion = std::min<uint32_t>(
      CompositorVersion, wl_proxy_get_version(reinterpret_cast<wl_proxy*>(info.info.wl.surface)));
  Globals globals = GlobalsBind(*queue, compositorVersion);
  if (!globals.compositor || !globals.subcompositor) {
    refusal = "the compositor cannot place one surface within another (no wl_subcompositor)";
  } else if (!globals.shm) {
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
