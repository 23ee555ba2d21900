// The keys a Wayland keyboard sends, named by the symbols its keymap gives them, as Windows key
// codes.
#ifndef VELKOR_PLATFORM_WIN32_BACKENDS_WAYLAND_WAYLAND_KEYS_H
#define VELKOR_PLATFORM_WIN32_BACKENDS_WAYLAND_WAYLAND_KEYS_H

#include <xkbcommon/xkbcommon.h>

#include "platform/win32/core/keyboard.h"

namespace win32sw {

// The key whose unshifted symbol is `symbol`, as a US layout under Windows names it; false for
// a key that keyboard does not have. Keys are known by their symbols, not their places: a
// keyboard of the compositor's own (a virtual one) places its keys wherever it likes.
bool KeyCodeFromSymbol(xkb_keysym_t symbol, KeyCode& code);

}  // namespace win32sw

#endif
