// Keys as the browser names them (KeyboardEvent.code: the key's place on the keyboard, whatever
// the layout) as Windows names them under a US layout.
#ifndef VELKOR_PLATFORM_WIN32_BACKENDS_BROWSER_BROWSER_KEYS_H
#define VELKOR_PLATFORM_WIN32_BACKENDS_BROWSER_BROWSER_KEYS_H

#include "platform/win32/core/keyboard.h"

namespace win32sw {

// False for a key the program is not told of.
bool KeyCodeFromDom(const char* code, KeyCode& key);

}  // namespace win32sw

#endif
