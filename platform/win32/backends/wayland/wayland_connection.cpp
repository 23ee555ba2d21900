#include "platform/win32/backends/wayland/wayland_connection.h"

#include <libdecor.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>
#include <utility>

#include "platform/win32/backends/wayland/libdecor_plugins.h"
#include "platform/win32/backends/wayland/wayland_read.h"
#include "viewporter-client-protocol.h"
#include "xdg-decoration-unstable-v1-client-protocol.h"
#include "xdg-shell-client-protocol.h"

namespace win32sw {

namespace {

// What the program cannot do without, each with the words that say what it is. A compositor
// with no seat could show the window, but no key or click could reach it, nor end it.
const std::pair<const char*, const char*> Needed[] = {
    {"wl_compositor", "no surfaces (wl_compositor)"},
    {"wl_subcompositor", "no surfaces within a window (wl_subcompositor)"},
    {"wl_shm", "no shared memory (wl_shm)"},
    {"xdg_wm_base", "no desktop windows (xdg_wm_base)"},
    {"wp_viewporter", "no scaling of a window's picture (wp_viewporter)"},
    {"wl_seat", "no seat (wl_seat): no keyboard or pointer could reach the window"},
};

// A compositor that is starting refuses connections for a moment: it is tried for about a
// second before it is called unreachable.
constexpr int ConnectAttempts = 10;
constexpr std::chrono::milliseconds ConnectRetry{100};

// Buffer-relative damage came with version 4 of the compositor's surfaces; key repeats are
// told from version 4 of the seat's keyboard; an output says when its mode is complete from
// version 2.
constexpr uint32_t CompositorVersion = WL_SURFACE_DAMAGE_BUFFER_SINCE_VERSION;
constexpr uint32_t SeatVersion = WL_KEYBOARD_REPEAT_INFO_SINCE_VERSION;
constexpr uint32_t OutputVersion = WL_OUTPUT_DONE_SINCE_VERSION;

void ShellPing(void*, xdg_wm_base* shell, uint32_t serial) { xdg_wm_base_pong(shell, serial); }

void OutputMode(void* data, wl_output*, uint32_t flags, int32_t width, int32_t height,
                int32_t refresh) {
  if (!(flags & WL_OUTPUT_MODE_CURRENT)) return;
  auto& output = *static_cast<WaylandOutput*>(data);
  output.width = width;
  output.height = height;
  output.refreshMillihertz = refresh;
}

void DecoratorError(libdecor*, libdecor_error, const char* message) {
  std::fprintf(stderr, "libdecor: %s\n", message);
}

}  // namespace

std::string WaylandDisplayName() {
  const char* name = std::getenv("WAYLAND_DISPLAY");
  return name && *name ? name : "wayland-0";
}

std::unique_ptr<WaylandConnection> WaylandConnection::Open(WaylandKeyboard::Heard heard,
                                                           std::string& refusal) {
  wl_display* display = nullptr;
  for (int attempt = 1; !display; ++attempt) {
    display = wl_display_connect(nullptr);
    if (display) break;
    if (attempt == ConnectAttempts) {
      refusal = "cannot connect to the Wayland display " + WaylandDisplayName();
      return nullptr;
    }
    std::this_thread::sleep_for(ConnectRetry);
  }
  std::unique_ptr<WaylandConnection> connection(new WaylandConnection(display, std::move(heard)));
  connection->registry_ = wl_display_get_registry(display);
  static const wl_registry_listener listener = {GlobalAdd, [](void*, wl_registry*, uint32_t) {}};
  wl_registry_add_listener(connection->registry_, &listener, connection.get());
  // The second round trip brings what the services bound in the first say of themselves: the
  // outputs' modes, the seat's keyboard; the third the keyboard's keymap.
  const bool answered = wl_display_roundtrip(display) >= 0 && wl_display_roundtrip(display) >= 0 &&
                        wl_display_roundtrip(display) >= 0;
  if (!answered) {
    refusal = "the Wayland display " + WaylandDisplayName() + " closed the connection";
    return nullptr;
  }
  const std::string lacks = connection->Lacks();
  if (!lacks.empty()) {
    refusal = "the Wayland compositor " + WaylandDisplayName() + " offers " + lacks;
    return nullptr;
  }
  return connection;
}

void WaylandConnection::GlobalAdd(void* data, wl_registry* registry, uint32_t name,
                                  const char* interface, uint32_t version) {
  auto& self = *static_cast<WaylandConnection*>(data);
  self.offered_.insert(interface);
  const auto bind = [&](auto*& proxy, const wl_interface& type, uint32_t wanted) {
    if (proxy || std::strcmp(interface, type.name) != 0) return false;
    using Proxy = std::remove_reference_t<decltype(proxy)>;
    proxy = static_cast<Proxy>(wl_registry_bind(registry, name, &type, std::min(version, wanted)));
    return true;
  };
  bind(self.compositor, wl_compositor_interface, CompositorVersion);
  bind(self.shm, wl_shm_interface, 1);
  bind(self.viewporter, wp_viewporter_interface, 1);
  if (bind(self.seat, wl_seat_interface, SeatVersion)) {
    self.keyboard = std::make_unique<WaylandKeyboard>(self.seat, std::move(self.heard_));
  }
  bind(self.decorations, zxdg_decoration_manager_v1_interface, 1);
  if (bind(self.shell, xdg_wm_base_interface, 1)) {
    static const xdg_wm_base_listener listener = {ShellPing};
    xdg_wm_base_add_listener(self.shell, &listener, nullptr);
  }
  if (std::strcmp(interface, wl_output_interface.name) == 0) {
    WaylandOutput& output = self.outputs.emplace_back();
    output.output = static_cast<wl_output*>(
        wl_registry_bind(registry, name, &wl_output_interface, std::min(version, OutputVersion)));
    // Events of later versions than the one bound never come.
    static const wl_output_listener listener = [] {
      wl_output_listener events{};
      events.geometry = [](void*, wl_output*, int32_t, int32_t, int32_t, int32_t, int32_t,
                           const char*, const char*, int32_t) {};
      events.mode = OutputMode;
      events.done = [](void*, wl_output*) {};
      events.scale = [](void*, wl_output*, int32_t) {};
      return events;
    }();
    wl_output_add_listener(output.output, &listener, &output);
  }
}

std::string WaylandConnection::Lacks() const {
  std::string lacks;
  for (const auto& [interface, words] : Needed) {
    if (!offered_.count(interface)) lacks += (lacks.empty() ? "" : ", ") + std::string(words);
  }
  return lacks;
}

WaylandConnection::~WaylandConnection() {
  if (decorator_) libdecor_unref(decorator_);
  keyboard.reset();
  for (const WaylandOutput& output : outputs) wl_output_destroy(output.output);
  if (decorations) zxdg_decoration_manager_v1_destroy(decorations);
  if (seat) wl_seat_destroy(seat);
  if (viewporter) wp_viewporter_destroy(viewporter);
  if (shell) xdg_wm_base_destroy(shell);
  if (shm) wl_shm_destroy(shm);
  if (compositor) wl_compositor_destroy(compositor);
  if (registry_) wl_registry_destroy(registry_);
  wl_display_disconnect(display);
}

libdecor* WaylandConnection::Decorator() {
  if (decoratorTried_) return decorator_;
  decoratorTried_ = true;
  if (!LibdecorPluginFound()) {
    std::fprintf(stderr,
                 "The window has no title bar: the Wayland compositor %s leaves it to the "
                 "program, and libdecor has no plugin to draw it (libdecor-0-plugin-1-cairo)\n",
                 WaylandDisplayName().c_str());
    return nullptr;
  }
  static libdecor_interface listener = [] {
    libdecor_interface events{};
    events.error = DecoratorError;
    return events;
  }();
  decorator_ = libdecor_new(display, &listener);
  return decorator_;
}

// What another reader queued here already is dispatched without a wait.
bool WaylandConnection::Dispatch(int timeoutMilliseconds) {
  if (wl_display_prepare_read(display) == 0) WaylandReadPrepared(display, timeoutMilliseconds);
  wl_display_dispatch_pending(display);
  return wl_display_get_error(display) == 0;
}

bool WaylandConnection::Lost() {
  // The library keeps the error of the first read or dispatch that failed, whoever made it.
  if (wl_display_get_error(display) == 0) return false;
  if (!lossSaid_) {
    std::fprintf(stderr, "Lost the connection to the Wayland display %s\n",
                 WaylandDisplayName().c_str());
    lossSaid_ = true;
  }
  return true;
}

}  // namespace win32sw
