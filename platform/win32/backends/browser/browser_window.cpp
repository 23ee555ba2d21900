#include "platform/win32/backends/browser/browser_window.h"

#include <algorithm>

#include "platform/win32/backends/browser/canvas_pixels.h"
#include "platform/win32/backends/browser/page_calls.h"

namespace win32sw {

BrowserWindow::BrowserWindow(int id) : id(id) {}

BrowserWindow::~BrowserWindow() { PageWindowDestroy(id); }

void BrowserWindow::Show() { PageWindowShow(id); }

void BrowserWindow::Hide() { PageWindowHide(id); }

bool BrowserWindow::Present(const FrameView& frame, const RECT* changed, int clientWidth,
                            int clientHeight) {
  if (frame.width != canvasWidth_ || frame.height != canvasHeight_) {
    canvasPixels_.assign(static_cast<size_t>(frame.width) * frame.height, 0);
    canvasWidth_ = frame.width;
    canvasHeight_ = frame.height;
    canvasStale_ = true;
  }
  const LONG width = static_cast<LONG>(frame.width), height = static_cast<LONG>(frame.height);
  RECT area = {0, 0, width, height};
  if (changed && !canvasStale_) {
    area = {std::max(changed->left, LONG{0}), std::max(changed->top, LONG{0}),
            std::min(changed->right, width), std::min(changed->bottom, height)};
  }
  CanvasPixelsConvert(frame, area, canvasPixels_.data());
  if (!PageWindowPresent(id, canvasPixels_.data(), width, height, area.left, area.top,
                         area.right - area.left, area.bottom - area.top, clientWidth,
                         clientHeight)) {
    canvasStale_ = true;
    return false;
  }
  canvasStale_ = false;
  return true;
}

void BrowserWindow::Invalidate() { canvasStale_ = true; }

bool BrowserWindow::RefreshWait(UINT count) {
  return PageRefreshWait(static_cast<int>(count)) != 0;
}

std::string BrowserWindow::Failure() const {
  return "the page gives the window's canvas no 2-D context";
}

bool BrowserWindow::Gone() const { return false; }  // nothing outside the program takes it away

// The page is the display: the window covers it, its frames stretched to fit, as a display that
// has not the mode asked for keeps its own.
bool BrowserWindow::FullScreen(UINT, UINT, LONG& clientWidth, LONG& clientHeight) {
  int32_t width = 0, height = 0;
  PageWindowFullScreen(id, &width, &height);
  clientWidth = width;
  clientHeight = height;
  canvasStale_ = true;
  return true;
}

Window* BrowserWindowFind(int id) {
  for (const auto& window : WindowsLive()) {
    if (window->shown && static_cast<const BrowserWindow&>(*window->shown).id == id) {
      return window.get();
    }
  }
  return nullptr;
}

// The page places its windows itself, as a window manager would.
std::unique_ptr<BackendWindow> BackendWindowCreate(Window&, const WindowPlacement& placement) {
  return std::make_unique<BrowserWindow>(
      PageWindowCreate(placement.title, placement.clientWidth, placement.clientHeight));
}

}  // namespace win32sw
