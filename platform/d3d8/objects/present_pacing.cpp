#include "platform/d3d8/objects/present_pacing.h"

#ifdef __EMSCRIPTEN__
#include <emscripten.h>
#else
#include <thread>
#endif

#include "platform/win32/stand_in.h"

namespace d3d8sw {

namespace {

bool PacingOn = true;
constexpr UINT UnknownRefreshRate = 60;

}  // namespace

void PresentPacingSet(bool on) { PacingOn = on; }

UINT PresentRefreshCount(const D3DPRESENT_PARAMETERS& parameters) {
  if (parameters.Windowed) return parameters.SwapEffect == D3DSWAPEFFECT_COPY_VSYNC ? 1 : 0;
  switch (parameters.FullScreen_PresentationInterval) {
    case D3DPRESENT_INTERVAL_IMMEDIATE:
      return 0;
    case D3DPRESENT_INTERVAL_TWO:
      return 2;
    case D3DPRESENT_INTERVAL_THREE:
      return 3;
    case D3DPRESENT_INTERVAL_FOUR:
      return 4;
    default:  // DEFAULT and ONE
      return 1;
  }
}

RefreshClock::RefreshClock(UINT refreshRate)
    : start_(std::chrono::steady_clock::now()),
      period_(std::chrono::duration_cast<std::chrono::steady_clock::duration>(
          std::chrono::duration<double>(1.0 / (refreshRate ? refreshRate : UnknownRefreshRate)))) {}

void RefreshClock::Wait(UINT count) const {
  if (!PacingOn || count == 0) return;
  const auto now = std::chrono::steady_clock::now();
  const auto refreshesSoFar = (now - start_) / period_;
  const auto until = start_ + (refreshesSoFar + count) * period_;
#ifdef __EMSCRIPTEN__
  // A page has one thread, the browser's own: sleeping there would spin and hold the page still.
  // The wait gives the page back to the browser instead.
  emscripten_sleep(
      static_cast<unsigned>(std::chrono::ceil<std::chrono::milliseconds>(until - now).count()));
#else
  std::this_thread::sleep_until(until);
#endif
}

void PresentWait(const RefreshClock& clock, HWND window, UINT count) {
  if (!PacingOn || count == 0) return;
  if (win32sw::WindowRefreshWait(window, count)) return;
  clock.Wait(count);
}

}  // namespace d3d8sw
