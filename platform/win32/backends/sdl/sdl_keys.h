// SDL's key events as Windows key messages.
#ifndef VELKOR_PLATFORM_WIN32_BACKENDS_SDL_SDL_KEYS_H
#define VELKOR_PLATFORM_WIN32_BACKENDS_SDL_SDL_KEYS_H

#include <SDL.h>

#include "platform/win32/core/keyboard.h"

namespace win32sw {

// The message a US keyboard under Windows gives for `event`; false for a key this keyboard
// does not have.
bool KeyMessageFromSdl(const SDL_KeyboardEvent& event, KeyMessage& key);

}  // namespace win32sw

#endif
