#include "platform/win32/backends/sdl/wayland/wayland_globals.h"

#include <set>
#include <utility>

namespace win32sw {

namespace {

void GlobalAdd(void* data, wl_registry* registry, uint32_t name, const char* interface, uint32_t) {
  (*static_cast<const WaylandGlobalOffered*>(data))(registry, name, interface);
}

void GlobalRemove(void*, wl_registry*, uint32_t) {}

// What SDL's Wayland driver and the presenter cannot do without, each with the words that say
// what it is. SDL takes a seat for granted, and dies without one.
const std::pair<const char*, const char*> Needed[] = {
    {"wl_compositor", "no surfaces (wl_compositor)"},
    {"wl_subcompositor", "no surfaces within a window (wl_subcompositor)"},
    {"wl_shm", "no shared memory (wl_shm)"},
    {"xdg_wm_base", "no desktop windows (xdg_wm_base)"},
    {"wp_viewporter", "no scaling of a window's picture (wp_viewporter)"},
    {"wl_seat", "no seat (wl_seat): no keyboard or pointer could reach the window"},
};

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

WaylandCompositorOffer WaylandCompositorAsk() {
  WaylandCompositorOffer offer;
  wl_display* display = wl_display_connect(nullptr);
  if (!display) return offer;
  std::set<std::string> offered;
  {
    WaylandQueue queue(display);
    offer.reached = WaylandGlobalsEach(
        queue, [&offered](wl_registry*, uint32_t, const char* name) { offered.insert(name); });
  }
  wl_display_disconnect(display);
  if (!offer.reached) return offer;
  for (const auto& [interface, words] : Needed) {
    if (offered.count(interface)) continue;
    offer.lacks += (offer.lacks.empty() ? "" : ", ") + std::string(words);
  }
  offer.decorates = offered.count("zxdg_decoration_manager_v1") > 0;
  return offer;
}

}  // namespace win32sw
