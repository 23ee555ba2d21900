// TranslateMessage: the character a key-down types, posted as WM_CHAR (WM_SYSCHAR with Alt),
// as a US layout gives it.
#include <windows.h>

#include "platform/win32/core/backend.h"
#include "platform/win32/core/message_queue.h"

namespace {

// The character for `virtualKey` under the modifiers held now, or 0 for a key that types none.
char KeyCharacter(WPARAM virtualKey, const win32sw::KeyModifiers& modifiers) {
  const bool shift = modifiers.shift;
  if (virtualKey >= 'A' && virtualKey <= 'Z') {
    if (modifiers.control) return static_cast<char>(virtualKey - 'A' + 1);
    const bool upper = shift != modifiers.capsLock;
    return static_cast<char>(upper ? virtualKey : virtualKey - 'A' + 'a');
  }
  if (virtualKey >= '0' && virtualKey <= '9') {
    if (modifiers.control) return 0;
    return shift ? ")!@#$%^&*("[virtualKey - '0'] : static_cast<char>(virtualKey);
  }
  switch (virtualKey) {
    case VK_SPACE:
      return ' ';
    case VK_RETURN:
      return '\r';
    case VK_ESCAPE:
      return 0x1B;
    case VK_BACK:
      return 0x08;
    case VK_TAB:
      return '\t';
    default:
      return 0;
  }
}

}  // namespace

extern "C" BOOL WINAPI TranslateMessage(const MSG* message) {
  if (!message) return FALSE;
  switch (message->message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
      const char character = KeyCharacter(message->wParam, win32sw::BackendKeyModifiers());
      if (character) {
        win32sw::MessagePost(message->hwnd, message->message == WM_KEYDOWN ? WM_CHAR : WM_SYSCHAR,
                             static_cast<unsigned char>(character), message->lParam);
      }
      return TRUE;
    }
    case WM_KEYUP:
    case WM_SYSKEYUP:
      return TRUE;
    default:
      return FALSE;
  }
}
