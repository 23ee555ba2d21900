#include "platform/win32/backends/wayland/wayland_presenter.h"

#include <algorithm>
#include <cstdint>
#include <utility>

#include "platform/win32/backends/wayland/wayland_globals.h"
#include "platform/win32/core/painting.h"
#include "viewporter-client-protocol.h"

namespace win32sw {

namespace {

// Buffer-relative damage came with version 4 of the compositor's surfaces.
constexpr uint32_t CompositorVersion = WL_SURFACE_DAMAGE_BUFFER_SINCE_VERSION;

template <typename Proxy>
void Bind(Proxy*& proxy, wl_registry* registry, uint32_t name, const wl_interface& interface,
          uint32_t version) {
  if (!proxy) proxy = static_cast<Proxy*>(wl_registry_bind(registry, name, &interface, version));
}

}  // namespace

WaylandPresenter::Globals WaylandPresenter::GlobalsBind(WaylandQueue& queue) {
  Globals globals;
  const bool answered = WaylandGlobalsEach(
      queue, [&](wl_registry* registry, uint32_t name, const char* interface, uint32_t version) {
        const std::string offered = interface;
        if (offered == wl_compositor_interface.name) {
          Bind(globals.compositor, registry, name, wl_compositor_interface,
               std::min(version, CompositorVersion));
        } else if (offered == wl_subcompositor_interface.name) {
          Bind(globals.subcompositor, registry, name, wl_subcompositor_interface, 1);
        } else if (offered == wl_shm_interface.name) {
          Bind(globals.shm, registry, name, wl_shm_interface, 1);
        } else if (offered == wp_viewporter_interface.name) {
          Bind(globals.viewporter, registry, name, wp_viewporter_interface, 1);
        }
      });
  if (!answered) GlobalsRelease(globals);
  return globals;
}

void WaylandPresenter::GlobalsRelease(Globals& globals) {
  if (globals.compositor) wl_compositor_destroy(globals.compositor);
  if (globals.subcompositor) wl_subcompositor_destroy(globals.subcompositor);
  if (globals.shm) wl_shm_destroy(globals.shm);
  if (globals.viewporter) wp_viewporter_destroy(globals.viewporter);
  globals = {};
}

std::unique_ptr<WaylandPresenter> WaylandPresenter::Create(wl_display* display, wl_surface* parent,
                                                           int refreshRate,
                                                           std::function<bool()> awake,
                                                           std::string& refusal) {
  auto queue = std::make_unique<WaylandQueue>(display);
  Globals globals = GlobalsBind(*queue);
  if (!globals.compositor || !globals.subcompositor) {
    refusal = "the compositor cannot place one surface within another (no wl_subcompositor)";
  } else if (!globals.shm) {
    refusal = "the compositor offers no shared memory (wl_shm)";
  } else if (!globals.viewporter) {
    refusal = "the compositor cannot scale a window's picture (no wp_viewporter)";
  } else {
    return std::unique_ptr<WaylandPresenter>(
        new WaylandPresenter(std::move(queue), parent, globals, refreshRate, std::move(awake)));
  }
  GlobalsRelease(globals);
  return nullptr;
}

WaylandPresenter::WaylandPresenter(std::unique_ptr<WaylandQueue> queue, wl_surface* parent,
                                   const Globals& globals, int refreshRate,
                                   std::function<bool()> awake)
    : queue_(std::move(queue)),
      globals_(globals),
      surface_(wl_compositor_create_surface(globals.compositor)),
      subsurface_(wl_subcompositor_get_subsurface(globals.subcompositor, surface_, parent)),
      viewport_(wp_viewporter_get_viewport(globals.viewporter, surface_)),
      damageInBuffer_(wl_proxy_get_version(reinterpret_cast<wl_proxy*>(surface_)) >=
                      WL_SURFACE_DAMAGE_BUFFER_SINCE_VERSION),
      refresh_(*queue_, surface_, refreshRate),
      awake_(std::move(awake)) {
  wl_subsurface_set_desync(subsurface_);
  // Pointer events go to the window's surface, beneath.
  wl_region* nowhere = wl_compositor_create_region(globals.compositor);
  wl_surface_set_input_region(surface_, nowhere);
  wl_region_destroy(nowhere);
}

WaylandPresenter::~WaylandPresenter() {
  refresh_.Forget();
  wl_subsurface_destroy(subsurface_);
  wp_viewport_destroy(viewport_);
  wl_surface_destroy(surface_);
  for (auto& buffer : buffers_) buffer.Release();
  GlobalsRelease(globals_);
}

bool WaylandPresenter::Present(const FrameView& frame, const RECT* changed, int clientWidth,
                               int clientHeight) {
  if (!buffers_[0].Holds(frame.width, frame.height) && !BuffersMake(frame.width, frame.height)) {
    return Refused("no buffer in memory shared with the compositor");
  }
  const RECT all{0, 0, static_cast<LONG>(frame.width), static_cast<LONG>(frame.height)};
  const RECT change = changed && !surfaceStale_ ? *changed : all;
  // Each buffer lacks what changed since it was last filled, the surface what changed since a
  // buffer was last attached.
  for (auto& buffer : buffers_) buffer.StaleAdd(change);
  damage_ = RectUnion(damage_, change);
  if (clientWidth != clientWidth_ || clientHeight != clientHeight_) {
    // The window's size is in the compositor's logical units: on an output of scale 2 the
    // frame covers twice as many of its pixels, as a window of that size should.
    wp_viewport_set_destination(viewport_, clientWidth, clientHeight);
    clientWidth_ = clientWidth;
    clientHeight_ = clientHeight;
  }
  // While the compositor holds both buffers (one shown, one kept for a resize it is carrying
  // out, say), the frame waits for the next present.
  if (WaylandShmBuffer* buffer = BufferFree()) {
    wl_surface_attach(surface_, buffer->Fill(frame), 0, 0);
    DamageSend();
  }
  refresh_.Ask();
  wl_surface_commit(surface_);
  surfaceStale_ = false;
  // A failure shows when the connection is next read.
  wl_display_flush(queue_->Display());
  return true;
}

void WaylandPresenter::Invalidate() {
  surfaceStale_ = true;
  refresh_.Forget();
}

bool WaylandPresenter::Refused(const char* why) {
  failure_ = why;
  surfaceStale_ = true;
  return false;
}

bool WaylandPresenter::BuffersMake(UINT width, UINT height) {
  for (auto& buffer : buffers_) {
    if (!buffer.Make(globals_.shm, width, height)) return false;
  }
  clientWidth_ = clientHeight_ = 0;
  surfaceStale_ = true;
  return true;
}

// A buffer the compositor has let go of, the one filled last where it can: it lacks least.
WaylandShmBuffer* WaylandPresenter::BufferFree() {
  queue_->DispatchArrived();
  if (buffers_[last_].Busy()) last_ = 1 - last_;
  return buffers_[last_].Busy() ? nullptr : &buffers_[last_];
}

void WaylandPresenter::DamageSend() {
  if (RectEmpty(damage_)) return;
  if (damageInBuffer_) {
    wl_surface_damage_buffer(surface_, damage_.left, damage_.top, damage_.right - damage_.left,
                             damage_.bottom - damage_.top);
  } else {
    wl_surface_damage(surface_, 0, 0, INT32_MAX, INT32_MAX);
  }
  damage_ = RECT{};
}

}  // namespace win32sw
