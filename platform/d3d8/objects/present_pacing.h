// Present waits for the display's next refresh, as the real runtime does for the synchronised
// swap effects, so a frame loop that presents as fast as it can sleeps between frames.
#ifndef VELKOR_PLATFORM_D3D8_PRESENT_PACING_H
#define VELKOR_PLATFORM_D3D8_PRESENT_PACING_H

#include <d3d8.h>

#include <chrono>

namespace d3d8sw {

// For benchmarks only: false makes every Present return without waiting; true (the default)
// brings the wait back.
void PresentPacingSet(bool on);

// How many refreshes each Present waits for: one for a windowed COPY_VSYNC chain, the
// presentation interval's count full-screen, none otherwise.
UINT PresentRefreshCount(const D3DPRESENT_PARAMETERS& parameters);

// The display's refreshes, as a timer ticking at its rate from the moment the clock is made.
class RefreshClock {
 public:
  explicit RefreshClock(UINT refreshRate);  // in Hz; 0 (unknown) counts as 60

  // Sleeps until the `count`-th refresh from now, counting the next one as the first.
  void Wait(UINT count) const;

 private:
  std::chrono::steady_clock::time_point start_;
  std::chrono::steady_clock::duration period_;
};

// Waits for the `count`-th refresh from now of the display showing `window`: as the display
// counts them where it does, by `clock` where it does not.
void PresentWait(const RefreshClock& clock, HWND window, UINT count);

}  // namespace d3d8sw

#endif
