// The program's own back end on Wayland: a connection, toplevels and frames of its own, so that
// nothing of OpenGL is loaded to show a window (SDL loads it for every Wayland window it makes).
// What the compositor tells is kept until the message loop takes the display's events, as
// Windows queues input until the program asks for it.
#include <cstdio>
#include <deque>
#include <functional>
#include <string>

#include "platform/win32/backends/desktop/desktop_backend.h"
#include "platform/win32/backends/sdl/sdl_backend.h"
#include "platform/win32/backends/wayland/wayland_connection.h"
#include "platform/win32/backends/wayland/wayland_window.h"
#include "platform/win32/core/window.h"
#include "platform/win32/core/window_events.h"

namespace win32sw {

namespace {

// A happening for the window of id `window` (0: for the program's only window), unless that
// window is gone by the time it is handed on.
struct Happening {
  unsigned window;
  std::function<void(Window*)> apply;
};

WaylandWindow& WaylandWindowOf(const Window& window) {
  return static_cast<WaylandWindow&>(*window.shown);
}

class WaylandDesktop final : public DesktopBackend {
 public:
  bool Start(const char* windowClass) override {
    if (state_ == State::NotTried) {
      std::string refusal;
      connection_ = WaylandConnection::Open(
          [this](wl_surface* focus, const KeyMessage& key) { KeyHeard(focus, key); }, refusal);
      if (!connection_) std::fprintf(stderr, "No display available: %s\n", refusal.c_str());
      state_ = connection_ ? State::Running : State::Unavailable;
    }
    // The first class named is every window's.
    if (state_ == State::Running && appId_.empty() && windowClass) appId_ = windowClass;
    return state_ == State::Running;
  }

  bool OnScreen() override { return Start(nullptr); }

  void Stop() override {
    // What the windows hold on the display goes before the connection to it.
    for (const auto& window : WindowsLive()) {
      if (window->shown) WaylandWindowOf(*window).Release();
    }
    happenings_.clear();
    connection_.reset();
    appId_.clear();
    state_ = State::NotTried;
  }

  std::unique_ptr<BackendWindow> WindowCreate(Window&, const WindowPlacement& placement) override {
    return WaylandWindow::Create(
        *connection_, placement, appId_,
        [this](unsigned id, std::function<void(Window&)> happening) {
          happenings_.push_back({id, [happening](Window* window) { happening(*window); }});
        },
        [this] { return Arrived(); });
  }

  bool EventsTake(int timeoutMilliseconds) override {
    // A connection that failed is not waited on: the windows are gone, and the core destroys
    // them on its way back.
    if (!Arrived() && timeoutMilliseconds > 0 && !connection_->Lost()) {
      const int repeat = connection_->keyboard->RepeatsSend();
      const int wait = repeat >= 0 && repeat < timeoutMilliseconds ? repeat : timeoutMilliseconds;
      connection_->Dispatch(wait);
      connection_->keyboard->RepeatsSend();
    }
    HappeningsHandOn();
    return true;
  }

  bool DisplayMode(DisplayModeInfo& mode) override {
    if (connection_->outputs.empty() || connection_->outputs.front().width == 0) {
      std::fprintf(stderr, "DisplayModeQuery: the Wayland compositor %s shows no output\n",
                   WaylandDisplayName().c_str());
      return false;
    }
    const WaylandOutput& output = connection_->outputs.front();
    mode.width = static_cast<UINT>(output.width);
    mode.height = static_cast<UINT>(output.height);
    mode.refreshRate = static_cast<UINT>((output.refreshMillihertz + 500) / 1000);
    mode.framesShown = true;
    mode.depth = 24;  // the frames' XRGB8888
    return true;
  }

  // SDL shows the box through zenity, without starting its own video.
  void MessageBox(UINT type, const char* caption, const char* text, const Window*) override {
    SdlMessageBoxShow(type, caption, text, nullptr);
  }

  KeyModifiers Modifiers() override { return connection_->keyboard->Modifiers(); }

 private:
  enum class State { NotTried, Running, Unavailable };

  // Reads what has come without waiting; true when something is there for the program.
  bool Arrived() {
    connection_->Dispatch(0);
    connection_->keyboard->RepeatsSend();
    return !happenings_.empty();
  }

  void KeyHeard(wl_surface* focus, const KeyMessage& key) {
    unsigned id = 0;
    if (focus) {
      for (const auto& window : WindowsLive()) {
        if (window->shown && WaylandWindowOf(*window).Surface() == focus) {
          id = WaylandWindowOf(*window).id;
        }
      }
      // The focus is on a surface of libdecor's, or of a window gone: not the program's.
      if (id == 0) return;
    }
    happenings_.push_back({id, [key](Window* window) { WindowKey(window, key); }});
  }

  void HappeningsHandOn() {
    while (!happenings_.empty()) {
      const Happening happening = std::move(happenings_.front());
      happenings_.pop_front();
      Window* target = nullptr;
      for (const auto& window : WindowsLive()) {
        if (window->shown && WaylandWindowOf(*window).id == happening.window) target = window.get();
      }
      if (happening.window != 0 && !target) continue;
      happening.apply(target);
    }
  }

  State state_ = State::NotTried;
  std::unique_ptr<WaylandConnection> connection_;
  std::string appId_;
  std::deque<Happening> happenings_;
};

}  // namespace

DesktopBackend& WaylandBackend() {
  static WaylandDesktop backend;
  return backend;
}

}  // namespace win32sw
