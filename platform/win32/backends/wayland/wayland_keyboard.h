// The seat's keyboard: the keys it sends the window with the focus as Windows key messages, its
// repeats, which the compositor leaves to the program, and the modifiers held, as its keymap
// (XKB's) tells them.
#ifndef VELKOR_PLATFORM_WIN32_BACKENDS_WAYLAND_WAYLAND_KEYBOARD_H
#define VELKOR_PLATFORM_WIN32_BACKENDS_WAYLAND_WAYLAND_KEYBOARD_H

#include <wayland-client.h>
#include <xkbcommon/xkbcommon.h>

#include <chrono>
#include <cstdint>
#include <functional>

#include "platform/win32/core/backend.h"
#include "platform/win32/core/keyboard.h"

namespace win32sw {

class WaylandKeyboard {
 public:
  // `heard` gets each key, with the surface that had the focus (null when none had).
  using Heard = std::function<void(wl_surface* focus, const KeyMessage& key)>;
  WaylandKeyboard(wl_seat* seat, Heard heard);
  WaylandKeyboard(const WaylandKeyboard&) = delete;
  WaylandKeyboard& operator=(const WaylandKeyboard&) = delete;
  ~WaylandKeyboard();

  // Sends the repeats due by now; the milliseconds until the next, -1 when none is to come.
  int RepeatsSend();

  KeyModifiers Modifiers() const;

 private:
  static void Capabilities(void* data, wl_seat* seat, uint32_t capabilities);
  static void Keymap(void* data, wl_keyboard* keyboard, uint32_t format, int32_t fd, uint32_t size);
  static void Enter(void* data, wl_keyboard* keyboard, uint32_t serial, wl_surface* surface,
                    wl_array* keys);
  static void Leave(void* data, wl_keyboard* keyboard, uint32_t serial, wl_surface* surface);
  static void Key(void* data, wl_keyboard* keyboard, uint32_t serial, uint32_t time, uint32_t key,
                  uint32_t state);
  static void ModifiersChanged(void* data, wl_keyboard* keyboard, uint32_t serial,
                               uint32_t depressed, uint32_t latched, uint32_t locked,
                               uint32_t group);
  static void RepeatInfo(void* data, wl_keyboard* keyboard, int32_t rate, int32_t delay);

  // `key` is the keymap's code of the key.
  void Send(xkb_keycode_t key, bool down, bool repeat);
  bool Active(const char* modifier, xkb_state_component which = XKB_STATE_MODS_EFFECTIVE) const {
    return state_ && xkb_state_mod_name_is_active(state_, modifier, which) > 0;
  }

  wl_seat* seat_;
  Heard heard_;
  wl_keyboard* keyboard_ = nullptr;
  wl_surface* focus_ = nullptr;
  xkb_context* context_;
  xkb_keymap* keymap_ = nullptr;  // what the keyboard's keys mean, once it has said
  xkb_state* state_ = nullptr;
  // What the compositor asks of repeats (Wayland's own defaults until it says), and the key
  // repeating.
  int repeatsPerSecond_ = 25;
  std::chrono::milliseconds repeatDelay_{600};
  xkb_keycode_t repeating_ = 0;
  std::chrono::steady_clock::time_point nextRepeat_;
};

}  // namespace win32sw

#endif
