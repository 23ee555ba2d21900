#include "platform/win32/backends/wayland/wayland_keyboard.h"

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>

#include "platform/win32/backends/wayland/wayland_keys.h"

namespace win32sw {

namespace {

// The Wayland keyboard's key codes are Linux's; XKB's are those plus 8.
constexpr xkb_keycode_t XkbOffset = 8;

}  // namespace

WaylandKeyboard::WaylandKeyboard(wl_seat* seat, Heard heard)
    : seat_(seat), heard_(std::move(heard)), context_(xkb_context_new(XKB_CONTEXT_NO_FLAGS)) {
  static const wl_seat_listener listener = {Capabilities, [](void*, wl_seat*, const char*) {}};
  wl_seat_add_listener(seat_, &listener, this);
}

WaylandKeyboard::~WaylandKeyboard() {
  if (keyboard_) wl_keyboard_destroy(keyboard_);
  if (state_) xkb_state_unref(state_);
  if (keymap_) xkb_keymap_unref(keymap_);
  if (context_) xkb_context_unref(context_);
}

void WaylandKeyboard::Capabilities(void* data, wl_seat* seat, uint32_t capabilities) {
  auto& self = *static_cast<WaylandKeyboard*>(data);
  const bool has = capabilities & WL_SEAT_CAPABILITY_KEYBOARD;
  if (has && !self.keyboard_) {
    self.keyboard_ = wl_seat_get_keyboard(seat);
    static const wl_keyboard_listener listener = {Keymap,           Enter,     Leave, Key,
                                                  ModifiersChanged, RepeatInfo};
    wl_keyboard_add_listener(self.keyboard_, &listener, &self);
  } else if (!has && self.keyboard_) {
    wl_keyboard_destroy(self.keyboard_);
    self.keyboard_ = nullptr;
    self.focus_ = nullptr;
    self.repeating_ = 0;
  }
}

void WaylandKeyboard::Keymap(void* data, wl_keyboard*, uint32_t format, int32_t fd, uint32_t size) {
  auto& self = *static_cast<WaylandKeyboard*>(data);
  xkb_keymap* keymap = nullptr;
  if (format == WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1 && self.context_) {
    void* text = mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
    if (text != MAP_FAILED) {
      // The text ends with its terminating zero, within `size`.
      keymap = xkb_keymap_new_from_buffer(self.context_, static_cast<const char*>(text),
                                          strnlen(static_cast<const char*>(text), size),
                                          XKB_KEYMAP_FORMAT_TEXT_V1, XKB_KEYMAP_COMPILE_NO_FLAGS);
      munmap(text, size);
    }
  }
  close(fd);
  // A keymap that cannot be read leaves the keys unknown, as no keymap would.
  if (self.state_) xkb_state_unref(self.state_);
  if (self.keymap_) xkb_keymap_unref(self.keymap_);
  self.keymap_ = keymap;
  self.state_ = keymap ? xkb_state_new(keymap) : nullptr;
  self.repeating_ = 0;
}

// What is held as the focus comes sends nothing, as on Windows; the modifiers among it come
// with the modifiers event that follows.
void WaylandKeyboard::Enter(void* data, wl_keyboard*, uint32_t, wl_surface* surface, wl_array*) {
  static_cast<WaylandKeyboard*>(data)->focus_ = surface;
}

void WaylandKeyboard::Leave(void* data, wl_keyboard*, uint32_t, wl_surface*) {
  auto& self = *static_cast<WaylandKeyboard*>(data);
  self.focus_ = nullptr;
  self.repeating_ = 0;
}

void WaylandKeyboard::Key(void* data, wl_keyboard*, uint32_t, uint32_t, uint32_t key,
                          uint32_t state) {
  auto& self = *static_cast<WaylandKeyboard*>(data);
  const xkb_keycode_t code = key + XkbOffset;
  const bool down = state == WL_KEYBOARD_KEY_STATE_PRESSED;
  self.Send(code, down, false);
  if (down && self.keymap_ && xkb_keymap_key_repeats(self.keymap_, code) &&
      self.repeatsPerSecond_ > 0) {
    self.repeating_ = code;
    self.nextRepeat_ = std::chrono::steady_clock::now() + self.repeatDelay_;
  } else if (!down && code == self.repeating_) {
    self.repeating_ = 0;
  }
}

void WaylandKeyboard::ModifiersChanged(void* data, wl_keyboard*, uint32_t, uint32_t depressed,
                                       uint32_t latched, uint32_t locked, uint32_t group) {
  auto& self = *static_cast<WaylandKeyboard*>(data);
  if (self.state_) xkb_state_update_mask(self.state_, depressed, latched, locked, 0, 0, group);
}

void WaylandKeyboard::RepeatInfo(void* data, wl_keyboard*, int32_t rate, int32_t delay) {
  auto& self = *static_cast<WaylandKeyboard*>(data);
  self.repeatsPerSecond_ = rate;
  self.repeatDelay_ = std::chrono::milliseconds(delay);
  if (rate <= 0) self.repeating_ = 0;
}

void WaylandKeyboard::Send(xkb_keycode_t key, bool down, bool repeat) {
  if (!keymap_) return;
  // The key's symbol at its first level: Windows names a key the same with Shift held or not.
  const xkb_keysym_t* symbols = nullptr;
  const xkb_layout_index_t layout = xkb_state_key_get_layout(state_, key);
  if (layout == XKB_LAYOUT_INVALID ||
      xkb_keymap_key_get_syms_by_level(keymap_, key, layout, 0, &symbols) < 1) {
    return;
  }
  KeyCode code;
  if (!KeyCodeFromSymbol(symbols[0], code)) return;
  // The modifiers held count this key's own press or release, as Windows' do; the compositor
  // tells the new modifiers only after the key.
  const bool alt = code.virtualKey == VK_MENU ? down : Active(XKB_MOD_NAME_ALT);
  const bool control = code.virtualKey == VK_CONTROL ? down : Active(XKB_MOD_NAME_CTRL);
  heard_(focus_, KeyMessageMake(code, down, repeat, alt, control));
}

int WaylandKeyboard::RepeatsSend() {
  if (repeating_ == 0) return -1;
  const auto now = std::chrono::steady_clock::now();
  const auto period = std::chrono::microseconds(1000000 / repeatsPerSecond_);
  if (nextRepeat_ <= now) {
    Send(repeating_, true, true);
    // A program kept busy past several repeats gets one, as Windows folds them into one message.
    nextRepeat_ = std::max(nextRepeat_, now - period) + period;
  }
  return static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(nextRepeat_ - now).count());
}

KeyModifiers WaylandKeyboard::Modifiers() const {
  KeyModifiers modifiers;
  modifiers.shift = Active(XKB_MOD_NAME_SHIFT);
  modifiers.control = Active(XKB_MOD_NAME_CTRL);
  modifiers.capsLock = Active(XKB_MOD_NAME_CAPS, XKB_STATE_MODS_LOCKED);
  return modifiers;
}

}  // namespace win32sw
