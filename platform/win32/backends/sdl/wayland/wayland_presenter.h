// Frames on Wayland as the graphics card shows them on Windows: each frame goes to the
// compositor once, at its own size, in memory shared with it (wl_shm), and the compositor
// scales it to the window's size (wp_viewporter); only the part that changed is marked damaged.
// Refreshes are counted by frame callbacks.
#ifndef VELKOR_PLATFORM_WIN32_WAYLAND_WAYLAND_PRESENTER_H
#define VELKOR_PLATFORM_WIN32_WAYLAND_WAYLAND_PRESENTER_H

#include <string>

#include "platform/win32/backends/sdl/presenter.h"

namespace win32sw {

// The presenter for `window` when SDL shows it on Wayland. Null otherwise; `refusal` then says
// why, when the window is on Wayland but the compositor lacks what the presenter needs.
std::unique_ptr<Presenter> WaylandPresenterCreate(SDL_Window* window, std::string& refusal);

}  // namespace win32sw

#endif
