#include "win32/sdl_window_input.h"

#include <gtest/gtest.h>

#include "platform/win32/backends/sdl/sdl_window.h"

SDL_Window* SdlWindowOf(HWND window) {
  const win32sw::Window* record = win32sw::WindowFind(window);
  return record ? win32sw::SdlWindowOf(*record).sdl : nullptr;
}

void SdlKeyPush(HWND window, Uint32 type, SDL_Scancode scancode, Uint16 modifiers) {
  SDL_Event event{};
  event.key.type = type;
  event.key.windowID = SDL_GetWindowID(SdlWindowOf(window));
  event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
  event.key.keysym.scancode = scancode;
  event.key.keysym.sym = SDL_GetKeyFromScancode(scancode);
  event.key.keysym.mod = modifiers;
  ASSERT_EQ(SDL_PushEvent(&event), 1) << SDL_GetError();
}
