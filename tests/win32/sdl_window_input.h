// The SDL side of the stand-in's windows in its tests: the SDL window behind one, and keys sent
// to it as SDL delivers them.
#ifndef VELKOR_TESTS_WIN32_SDL_WINDOW_INPUT_H
#define VELKOR_TESTS_WIN32_SDL_WINDOW_INPUT_H

#include <windows.h>

#include <SDL.h>

// The SDL window behind a window of the stand-in.
SDL_Window* SdlWindowOf(HWND window);

// Queues a key event for `window` as SDL would deliver it.
void SdlKeyPush(HWND window, Uint32 type, SDL_Scancode scancode, Uint16 modifiers = KMOD_NONE);

#endif
