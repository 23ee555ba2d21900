// A window on the program's own Wayland connection: its surface, holding one black pixel spread
// over the client area, the presenter's surface over it with the frames, and its role as a
// desktop window while it is shown.
#ifndef VELKOR_PLATFORM_WIN32_BACKENDS_WAYLAND_WAYLAND_WINDOW_H
#define VELKOR_PLATFORM_WIN32_BACKENDS_WAYLAND_WAYLAND_WINDOW_H

#include <wayland-client.h>

#include <functional>
#include <memory>
#include <string>

#include "platform/win32/backends/wayland/wayland_connection.h"
#include "platform/win32/backends/wayland/wayland_presenter.h"
#include "platform/win32/backends/wayland/wayland_shm_buffer.h"
#include "platform/win32/backends/wayland/wayland_toplevel.h"
#include "platform/win32/core/backend.h"

struct wp_viewport;

namespace win32sw {

class WaylandWindow final : public BackendWindow, private ToplevelListener {
 public:
  // What the compositor tells of the window goes to `told`, with the window's `id`, to reach the
  // core when the message loop next takes the display's events, never in the middle of a frame.
  using Told = std::function<void(unsigned id, std::function<void(Window&)> happening)>;
  // Null, said on standard error, where the window cannot be made.
  static std::unique_ptr<WaylandWindow> Create(WaylandConnection& connection,
                                               const WindowPlacement& placement,
                                               const std::string& appId, Told told,
                                               std::function<bool()> awake);
  ~WaylandWindow() override;

  void Show() override;
  void Hide() override;
  bool Present(const FrameView& frame, const RECT* changed, int clientWidth,
               int clientHeight) override;
  void Invalidate() override;
  bool RefreshWait(UINT count) override;
  std::string Failure() const override;
  bool Gone() const override;
  bool FullScreen(UINT width, UINT height, LONG& clientWidth, LONG& clientHeight) override;

  // Lets go of all the window holds on the display, before the connection goes: from then on
  // it is gone.
  void Release();

  // Never the same for two windows of the process.
  const unsigned id;
  wl_surface* Surface() const { return surface_; }

 private:
  WaylandWindow(WaylandConnection& connection, wl_surface* surface, const ToplevelLook& look,
                Told told);

  void Configure(int& width, int& height, bool fullScreen) override;
  void Configured() override;
  void CommitAsked() override;
  void CloseRequested() override;

  WaylandConnection* connection_;  // null once released
  wl_surface* surface_;
  wp_viewport* viewport_;
  WaylandShmBuffer background_;
  std::unique_ptr<WaylandPresenter> presenter_;
  ToplevelLook look_;
  Told told_;
  std::unique_ptr<WaylandToplevel> toplevel_;  // while shown
  bool configured_ = false;                    // once the compositor has placed it
  bool fullScreen_ = false;
  int width_, height_;  // the client area's, in the compositor's units
};

}  // namespace win32sw

#endif
