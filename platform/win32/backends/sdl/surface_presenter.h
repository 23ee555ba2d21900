// Frames through SDL's window surface, scaled on the processor: the way that works on any
// display SDL can draw a surface on.
#ifndef VELKOR_PLATFORM_WIN32_SURFACE_PRESENTER_H
#define VELKOR_PLATFORM_WIN32_SURFACE_PRESENTER_H

#include "platform/win32/backends/sdl/presenter.h"

namespace win32sw {

std::unique_ptr<Presenter> SurfacePresenterCreate(SDL_Window* window);

}  // namespace win32sw

#endif
