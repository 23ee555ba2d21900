// damage_count WINDOW FRAMES: watches the window with the X id WINDOW until FRAMES frames have
// been drawn into it (10 s at most), and prints, in one line, how many came and the pixels
// each drew on average: "frames N pixels_per_frame P". Exit code 1 when the display has no
// DAMAGE extension.
#include <cstdio>
#include <cstdlib>

#include "window_damage.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s WINDOW FRAMES\n", argv[0]);
    return 2;
  }
  Display* display = XOpenDisplay(nullptr);
  if (!display) return 1;
  const Window window = std::strtoul(argv[1], nullptr, 0);
  const size_t wanted = std::strtoul(argv[2], nullptr, 0);
  std::vector<DamagedFrame> frames;
  {
    WindowDamage damage(display, window);
    if (!damage.Watching()) {
      std::fprintf(stderr, "damage_count: the display has no DAMAGE extension\n");
      return 1;
    }
    frames = damage.FramesCollect(wanted, std::chrono::seconds(10));
  }
  long long pixels = 0;
  for (const DamagedFrame& frame : frames) pixels += frame.area;
  std::printf("frames %zu pixels_per_frame %lld\n", frames.size(),
              frames.empty() ? 0 : pixels / static_cast<long long>(frames.size()));
  XCloseDisplay(display);
  return 0;
}
