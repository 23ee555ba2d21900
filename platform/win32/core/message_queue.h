// The thread's message queue, as the rest of the stand-in feeds it.
#ifndef VELKOR_PLATFORM_WIN32_MESSAGE_QUEUE_H
#define VELKOR_PLATFORM_WIN32_MESSAGE_QUEUE_H

#include <windows.h>

namespace win32sw {

// Queues a posted message (PostMessageA, TranslateMessage's characters, close requests).
void MessagePost(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Queues an input message; input comes after every posted message.
void MessageInput(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Drops what is queued for a window that is going away.
void MessagesForget(HWND window);

}  // namespace win32sw

#endif
