// Does to an X11 window what another client can: asks it to close the way a window manager
// does when its close button is clicked (a WM_DELETE_WINDOW client message), or destroys it
// outright. Usage: window_from_outside close|destroy WINDOW-ID
#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

bool CloseRequest(Display* display, Window window) {
  XEvent event = {};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
  event.xclient.data.l[1] = CurrentTime;
  return XSendEvent(display, window, False, NoEventMask, &event) != 0;
}

}  // namespace

int main(int argc, char** argv) {
  const bool close = argc == 3 && std::strcmp(argv[1], "close") == 0;
  if (argc != 3 || (!close && std::strcmp(argv[1], "destroy") != 0)) {
    std::fprintf(stderr, "usage: %s close|destroy WINDOW-ID\n", argv[0]);
    return 2;
  }
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    std::fprintf(stderr, "window_from_outside: cannot open the display\n");
    return 1;
  }
  const Window window = std::strtoul(argv[2], nullptr, 0);
  bool done = true;
  if (close) {
    done = CloseRequest(display, window);
  } else {
    XDestroyWindow(display, window);
  }
  // Closing the display flushes the request and waits for any error it caused.
  XCloseDisplay(display);
  if (!done) {
    std::fprintf(stderr, "window_from_outside: the message could not be sent\n");
    return 1;
  }
  return 0;
}
