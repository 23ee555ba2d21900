// A window the page draws: a frame around the canvas of its client area.
#ifndef VELKOR_PLATFORM_WIN32_BACKENDS_BROWSER_BROWSER_WINDOW_H
#define VELKOR_PLATFORM_WIN32_BACKENDS_BROWSER_BROWSER_WINDOW_H

#include <cstdint>
#include <vector>

#include "platform/win32/core/window.h"

namespace win32sw {

class BrowserWindow final : public BackendWindow {
 public:
  explicit BrowserWindow(int id);
  ~BrowserWindow() override;

  void Show() override;
  void Hide() override;
  bool Present(const FrameView& frame, const RECT* changed, int clientWidth,
               int clientHeight) override;
  void Invalidate() override;
  bool RefreshWait(UINT count) override;
  std::string Failure() const override;
  bool Gone() const override;
  bool FullScreen(UINT width, UINT height, LONG& clientWidth, LONG& clientHeight) override;

  const int id;  // the page's

 private:
  // The frame in the canvas's byte order, as the canvas was last given it.
  std::vector<uint32_t> canvasPixels_;
  UINT canvasWidth_ = 0;
  UINT canvasHeight_ = 0;
  bool canvasStale_ = true;  // the canvas may not hold canvasPixels_
};

// The live window the page knows as `id`, or null.
Window* BrowserWindowFind(int id);

}  // namespace win32sw

#endif
