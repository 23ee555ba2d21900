#include "platform/win32/backends/wayland/wayland_globals.h"

namespace win32sw {

namespace {

void GlobalAdd(void* data, wl_registry* registry, uint32_t name, const char* interface,
               uint32_t version) {
  (*static_cast<const WaylandGlobalOffered*>(data))(registry, name, interface, version);
}

void GlobalRemove(void*, wl_registry*, uint32_t) {}

}  // namespace

bool WaylandGlobalsEach(WaylandQueue& queue, const WaylandGlobalOffered& offered) {
  wl_display* display = queue.Wrap(queue.Display());
  wl_registry* registry = wl_display_get_registry(display);
  wl_proxy_wrapper_destroy(display);
  static const wl_registry_listener listener = {GlobalAdd, GlobalRemove};
  wl_registry_add_listener(registry, &listener, const_cast<WaylandGlobalOffered*>(&offered));
  const bool answered = queue.Roundtrip();
  wl_registry_destroy(registry);
  return answered;
}

}  // namespace win32sw
