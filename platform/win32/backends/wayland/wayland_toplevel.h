// A surface's role as a desktop window, and whatever draws its title bar: the compositor, where
// it offers to (xdg-decoration), libdecor where it leaves that to the program, or nothing where
// neither can.
#ifndef VELKOR_PLATFORM_WIN32_BACKENDS_WAYLAND_WAYLAND_TOPLEVEL_H
#define VELKOR_PLATFORM_WIN32_BACKENDS_WAYLAND_WAYLAND_TOPLEVEL_H

#include <wayland-client.h>

#include <memory>
#include <string>

#include "platform/win32/backends/wayland/wayland_connection.h"

namespace win32sw {

// What the window makes of the compositor's word on its toplevel.
class ToplevelListener {
 public:
  // The client area's size the compositor asks for (0 by 0: the program's own), and whether
  // the window is to cover its output; `width` and `height` become the size taken.
  virtual void Configure(int& width, int& height, bool fullScreen) = 0;
  // The compositor has been told the size taken: the surface may be committed at it.
  virtual void Configured() = 0;
  // The title bar was redrawn beneath the surface, which is committed to show it.
  virtual void CommitAsked() = 0;
  // The compositor's close, or the title bar's close button.
  virtual void CloseRequested() = 0;

 protected:
  ~ToplevelListener() = default;
};

// How the window is to be shown.
struct ToplevelLook {
  std::string title;
  std::string appId;
  bool resizable = false;
  int width = 0;  // the client area's, fixed unless resizable
  int height = 0;
};

class WaylandToplevel {
 public:
  virtual ~WaylandToplevel() = default;

  // Asks the compositor to make the window cover its output; it says so with a configure.
  virtual void FullScreenSet() = 0;
};

// Gives `surface` its role, and commits it so that the compositor configures it. Destroying the
// toplevel takes the role away again: the window is unmapped.
std::unique_ptr<WaylandToplevel> WaylandToplevelMake(WaylandConnection& connection,
                                                     wl_surface* surface, const ToplevelLook& look,
                                                     ToplevelListener& listener);

}  // namespace win32sw

#endif
