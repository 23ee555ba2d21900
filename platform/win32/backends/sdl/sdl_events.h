// SDL's events, turned into what Windows would make of the same happenings.
#ifndef VELKOR_PLATFORM_WIN32_BACKENDS_SDL_SDL_EVENTS_H
#define VELKOR_PLATFORM_WIN32_BACKENDS_SDL_SDL_EVENTS_H

#include <SDL.h>

namespace win32sw {

// Queues the messages `event` stands for and keeps the windows' state in step with it.
void SdlEventApply(const SDL_Event& event);

}  // namespace win32sw

#endif
