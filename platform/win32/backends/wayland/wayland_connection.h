// The program's connection to the Wayland compositor WAYLAND_DISPLAY names, with the services of
// the compositor its windows are made with. They are bound on the connection's default queue,
// which the message loop dispatches.
#ifndef VELKOR_PLATFORM_WIN32_BACKENDS_WAYLAND_WAYLAND_CONNECTION_H
#define VELKOR_PLATFORM_WIN32_BACKENDS_WAYLAND_WAYLAND_CONNECTION_H

#include <wayland-client.h>

#include <deque>
#include <memory>
#include <set>
#include <string>

#include "platform/win32/backends/wayland/wayland_keyboard.h"

struct libdecor;
struct xdg_wm_base;
struct wp_viewporter;
struct zxdg_decoration_manager_v1;

namespace win32sw {

// An output's current mode, in its pixels.
struct WaylandOutput {
  wl_output* output = nullptr;
  int width = 0;
  int height = 0;
  int refreshMillihertz = 0;
};

class WaylandConnection {
 public:
  // Connects, and learns what the compositor offers. Null where it cannot be reached, or lacks
  // what the program needs: `refusal` says which, in the words of the one line said for it.
  // Keys go to `heard`.
  static std::unique_ptr<WaylandConnection> Open(WaylandKeyboard::Heard heard,
                                                 std::string& refusal);
  WaylandConnection(const WaylandConnection&) = delete;
  WaylandConnection& operator=(const WaylandConnection&) = delete;
  ~WaylandConnection();

  wl_display* const display;
  wl_compositor* compositor = nullptr;
  wl_shm* shm = nullptr;
  xdg_wm_base* shell = nullptr;
  wp_viewporter* viewporter = nullptr;
  wl_seat* seat = nullptr;
  // Null where the compositor leaves title bars to the program.
  zxdg_decoration_manager_v1* decorations = nullptr;
  std::deque<WaylandOutput> outputs;  // where each stays while the others come
  std::unique_ptr<WaylandKeyboard> keyboard;

  // libdecor, which draws title bars where the compositor does not, started on the first call;
  // null where it has nothing to draw them with (said on standard error once).
  libdecor* Decorator();

  // Reads and dispatches what the compositor sent, waiting up to `timeoutMilliseconds` (0: not
  // at all) for something when nothing has come. False once the connection has failed.
  bool Dispatch(int timeoutMilliseconds);

  // True once the connection has failed; the first call to see it says so on standard error.
  bool Lost();

 private:
  WaylandConnection(wl_display* display, WaylandKeyboard::Heard heard)
      : display(display), heard_(std::move(heard)) {}

  static void GlobalAdd(void* data, wl_registry* registry, uint32_t name, const char* interface,
                        uint32_t version);
  // What the program cannot do without that the compositor lacks, in words; empty when none.
  std::string Lacks() const;

  WaylandKeyboard::Heard heard_;  // until the seat comes
  wl_registry* registry_ = nullptr;
  std::set<std::string> offered_;  // the names of the services the compositor announced
  libdecor* decorator_ = nullptr;
  bool decoratorTried_ = false;
  bool lossSaid_ = false;
};

// The display's name as the program says it: WAYLAND_DISPLAY, or the library's default.
std::string WaylandDisplayName();

}  // namespace win32sw

#endif
