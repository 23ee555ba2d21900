#include "platform/win32/backends/wayland/wayland_window.h"

#include <chrono>
#include <cstdint>
#include <cstdio>

#include "platform/win32/core/window_events.h"
#include "viewporter-client-protocol.h"

namespace win32sw {

namespace {

unsigned WindowsMade = 0;

// The longest the compositor is waited for to make a window cover its output.
constexpr std::chrono::seconds FullScreenWait{1};

// The refresh rate of the output windows are placed on first, 0 where none says.
int RefreshRate(const WaylandConnection& connection) {
  if (connection.outputs.empty()) return 0;
  return (connection.outputs.front().refreshMillihertz + 500) / 1000;
}

}  // namespace

std::unique_ptr<WaylandWindow> WaylandWindow::Create(WaylandConnection& connection,
                                                     const WindowPlacement& placement,
                                                     const std::string& appId, Told told,
                                                     std::function<bool()> awake) {
  wl_surface* surface = wl_compositor_create_surface(connection.compositor);
  std::string refusal;
  auto presenter = WaylandPresenter::Create(connection.display, surface, RefreshRate(connection),
                                            std::move(awake), refusal);
  if (!presenter) {
    std::fprintf(stderr, "No way to show a window on this Wayland compositor: %s\n",
                 refusal.c_str());
    wl_surface_destroy(surface);
    return nullptr;
  }
  const ToplevelLook look{placement.title, appId, placement.resizable, placement.clientWidth,
                          placement.clientHeight};
  std::unique_ptr<WaylandWindow> window(
      new WaylandWindow(connection, surface, look, std::move(told)));
  if (!window->background_.Make(connection.shm, 1, 1)) {
    std::fprintf(stderr, "CreateWindowExA: no memory to share with the Wayland compositor\n");
    return nullptr;
  }
  window->presenter_ = std::move(presenter);
  return window;
}

WaylandWindow::WaylandWindow(WaylandConnection& connection, wl_surface* surface,
                             const ToplevelLook& look, Told told)
    : id(++WindowsMade),
      connection_(&connection),
      surface_(surface),
      viewport_(wp_viewporter_get_viewport(connection.viewporter, surface)),
      look_(look),
      told_(std::move(told)),
      width_(look.width),
      height_(look.height) {}

WaylandWindow::~WaylandWindow() { Release(); }

void WaylandWindow::Release() {
  if (!connection_) return;
  toplevel_.reset();
  presenter_.reset();
  background_.Release();
  wp_viewport_destroy(viewport_);
  wl_surface_destroy(surface_);
  wl_display_flush(connection_->display);
  connection_ = nullptr;
  configured_ = false;
}

void WaylandWindow::Show() {
  if (toplevel_ || !connection_) return;
  configured_ = false;
  toplevel_ = WaylandToplevelMake(*connection_, surface_, look_, *this);
  wl_display_flush(connection_->display);
}

void WaylandWindow::Hide() {
  if (!toplevel_) return;
  toplevel_.reset();
  // A surface given its role again may hold no buffer.
  wl_surface_attach(surface_, nullptr, 0, 0);
  wl_surface_commit(surface_);
  configured_ = false;
  presenter_->Invalidate();
  wl_display_flush(connection_->display);
}

bool WaylandWindow::Present(const FrameView& frame, const RECT* changed, int clientWidth,
                            int clientHeight) {
  // Until the compositor has placed the window there is nothing to show the frame in.
  if (!configured_) return true;
  return presenter_->Present(frame, changed, clientWidth, clientHeight);
}

void WaylandWindow::Invalidate() {
  if (presenter_) presenter_->Invalidate();
}

bool WaylandWindow::RefreshWait(UINT count) {
  return configured_ && presenter_->RefreshWait(count);
}

std::string WaylandWindow::Failure() const { return presenter_ ? presenter_->Failure() : ""; }

bool WaylandWindow::Gone() const { return !connection_ || connection_->Lost(); }

bool WaylandWindow::FullScreen(UINT, UINT, LONG& clientWidth, LONG& clientHeight) {
  // The compositor keeps its output's mode: the window covers it, the frames stretched to fit.
  if (!toplevel_) {
    std::fprintf(stderr, "WindowFullScreen: the window is not shown\n");
    return false;
  }
  toplevel_->FullScreenSet();
  const auto deadline = std::chrono::steady_clock::now() + FullScreenWait;
  while (!(configured_ && fullScreen_)) {
    const auto left =
        std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0 || !connection_->Dispatch(static_cast<int>(left.count()))) {
      std::fprintf(stderr,
                   "WindowFullScreen: the Wayland compositor %s did not make the window cover "
                   "its output\n",
                   WaylandDisplayName().c_str());
      return false;
    }
  }
  clientWidth = width_;
  clientHeight = height_;
  return true;
}

void WaylandWindow::Configure(int& width, int& height, bool fullScreen) {
  // A side given as 0 is the window's to choose: it keeps its own.
  if (width <= 0) width = width_;
  if (height <= 0) height = height_;
  fullScreen_ = fullScreen;
  if (width == width_ && height == height_) return;
  width_ = width;
  height_ = height;
  told_(id, [width, height](Window& window) { WindowResized(window, width, height); });
}

void WaylandWindow::Configured() {
  // The window's surface holds one black pixel spread over the client area, beneath the frames:
  // its commit carries the window's size, and the answer to the compositor's configure.
  static constexpr uint32_t Black = 0;
  wl_surface_attach(surface_, background_.Fill(FrameView{&Black, 1, 1, 4}), 0, 0);
  wl_surface_damage(surface_, 0, 0, INT32_MAX, INT32_MAX);
  wp_viewport_set_destination(viewport_, width_, height_);
  wl_surface_commit(surface_);
  wl_display_flush(connection_->display);
  if (!configured_) {
    configured_ = true;
    // Shown at last: the whole frame is sent, and the window painted.
    told_(id, [](Window& window) { WindowExposed(window); });
  }
}

void WaylandWindow::CommitAsked() { wl_surface_commit(surface_); }

void WaylandWindow::CloseRequested() {
  told_(id, [](Window& window) { WindowCloseRequested(window); });
}

}  // namespace win32sw
