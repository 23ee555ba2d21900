// The program as a person runs it, on the X display named by DISPLAY (run it under
// tests/e2e/with-xvfb, on a screen of 3840 by 2160 for the largest window): the time from
// starting it to its first frame on the screen; while the cube spins in a window of the size
// it starts at, of a maximised window on a 1080p screen and of one on a 4K screen, its share of
// one processor core, the X server's, their sum, its resident memory and its threads; and the
// time between frames as the server sees them drawn.
//
// Usage: running_program_bench [benchmark flags] [PROGRAM]
// PROGRAM (the build's velkor by default) is started in its own folder, beside its picture.
#include <benchmark/benchmark.h>

#include <X11/Xlib.h>
#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "window_damage.h"

namespace {

using Clock = std::chrono::steady_clock;

std::string Program = VELKOR_PROGRAM;
bool Failed = false;

void Fail(benchmark::State& state, const char* why) {
  Failed = true;
  state.SkipWithError(why);
}

// Windows vanish between finding and reading them (a window SDL remakes does); such errors are
// expected here and only mean "not yet".
int IgnoreErrors(Display*, XErrorEvent*) { return 0; }

class RunningProgram {
 public:
  RunningProgram() {
    const std::string folder = Program.substr(0, Program.find_last_of('/') + 1);
    pid_ = fork();
    if (pid_ == 0) {
      if (!folder.empty() && chdir(folder.c_str()) != 0) _exit(127);
      execl(Program.c_str(), Program.c_str(), static_cast<char*>(nullptr));
      _exit(127);
    }
  }
  ~RunningProgram() {
    if (pid_ <= 0) return;
    kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
  }
  RunningProgram(const RunningProgram&) = delete;
  RunningProgram& operator=(const RunningProgram&) = delete;

  pid_t Pid() const { return pid_; }

  // Waits until a window of this process shows anything but black; false after `patience`.
  bool FirstFrameWait(Display* display, Clock::duration patience) const {
    const Clock::time_point end = Clock::now() + patience;
    while (Clock::now() < end) {
      if (waitpid(pid_, nullptr, WNOHANG) != 0) return false;
      for (Window window : WindowsOfProcess(display)) {
        if (ShowsSomething(display, window)) return true;
      }
      std::this_thread::sleep_for(std::chrono::microseconds(500));
    }
    return false;
  }

  long ProcessorTicks() const { return ProcessTicks(pid_); }

  // utime + stime of `pid`, in clock ticks.
  static long ProcessTicks(pid_t pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    std::getline(stat, line);
    // Fields after the command name, which is in parentheses and may hold spaces.
    std::istringstream fields(line.substr(line.rfind(')') + 2));
    std::string field;
    long utime = 0, stime = 0;
    for (int i = 3; fields >> field; ++i) {
      if (i == 14) utime = std::stol(field);
      if (i == 15) {
        stime = std::stol(field);
        break;
      }
    }
    return utime + stime;
  }

  // A number from /proc/PID/status, such as VmRSS (in kB) or Threads.
  long StatusField(const std::string& name) const {
    std::ifstream status("/proc/" + std::to_string(pid_) + "/status");
    std::string line;
    while (std::getline(status, line)) {
      if (line.compare(0, name.size() + 1, name + ":") == 0) {
        return std::stol(line.substr(name.size() + 1));
      }
    }
    return -1;
  }

  // The program's window, once it shows something; 0 after `patience`.
  Window ShownWindow(Display* display, Clock::duration patience) const {
    const Clock::time_point end = Clock::now() + patience;
    while (Clock::now() < end) {
      if (waitpid(pid_, nullptr, WNOHANG) != 0) return 0;
      for (Window window : WindowsOfProcess(display)) {
        if (ShowsSomething(display, window)) return window;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return 0;
  }

 private:
  std::vector<Window> WindowsOfProcess(Display* display) const {
    std::vector<Window> found;
    const Atom pidAtom = XInternAtom(display, "_NET_WM_PID", False);
    Window root, parent, *children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count)) {
      return found;
    }
    for (unsigned int i = 0; i < count; ++i) {
      Atom type;
      int format;
      unsigned long items, after;
      unsigned char* value = nullptr;
      if (XGetWindowProperty(display, children[i], pidAtom, 0, 1, False, XA_CARDINAL, &type,
                             &format, &items, &after, &value) == Success &&
          value && items == 1 && *reinterpret_cast<long*>(value) == pid_) {
        found.push_back(children[i]);
      }
      if (value) XFree(value);
    }
    if (children) XFree(children);
    return found;
  }

  static bool ShowsSomething(Display* display, Window window) {
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display, window, &attributes) || attributes.map_state != IsViewable) {
      return false;
    }
    XImage* image =
        XGetImage(display, window, 0, 0, attributes.width, attributes.height, AllPlanes, ZPixmap);
    if (!image) return false;
    bool something = false;
    for (int y = 0; y < image->height && !something; ++y) {
      for (int x = 0; x < image->width && !something; ++x) {
        something = (XGetPixel(image, x, y) & 0xFFFFFF) != 0;
      }
    }
    XDestroyImage(image);
    return something;
  }

  pid_t pid_ = -1;
};

Display* TheDisplay() {
  static Display* display = [] {
    Display* opened = XOpenDisplay(nullptr);
    if (opened) XSetErrorHandler(IgnoreErrors);
    return opened;
  }();
  return display;
}

constexpr auto Patience = std::chrono::seconds(20);

// From the start of the process to the first frame anyone could see.
void StartToFirstFrame(benchmark::State& state) {
  Display* display = TheDisplay();
  if (!display) return Fail(state, "no X display");
  std::vector<double> times;
  for (auto _ : state) {
    const Clock::time_point start = Clock::now();
    RunningProgram program;
    if (!program.FirstFrameWait(display, Patience)) return Fail(state, "no frame appeared");
    const std::chrono::duration<double> took = Clock::now() - start;
    state.SetIterationTime(took.count());
    times.push_back(took.count() * 1000);
  }
  std::sort(times.begin(), times.end());
  state.counters["min_ms"] = times.front();
  state.counters["median_ms"] = times[times.size() / 2];
  state.counters["max_ms"] = times.back();
}
BENCHMARK(StartToFirstFrame)->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);

// The X server's process: the peer at the other end of the connection's socket.
pid_t ServerPid(Display* display) {
  ucred peer{};
  socklen_t size = sizeof peer;
  if (getsockopt(ConnectionNumber(display), SOL_SOCKET, SO_PEERCRED, &peer, &size) != 0) return 0;
  return peer.pid;
}

// The program's window, at the client size the benchmark's arguments give, left to settle.
Window SizedWindow(Display* display, const RunningProgram& program, benchmark::State& state) {
  const Window window = program.ShownWindow(display, Patience);
  if (!window) return 0;
  XMoveResizeWindow(display, window, 0, 0, static_cast<unsigned>(state.range(0)),
                    static_cast<unsigned>(state.range(1)));
  XSync(display, False);
  std::this_thread::sleep_for(std::chrono::seconds(1));
  return window;
}

// Five seconds of spinning, a second after the first frame, at the client size given.
void Spinning(benchmark::State& state) {
  Display* display = TheDisplay();
  if (!display) return Fail(state, "no X display");
  const pid_t server = ServerPid(display);
  if (server <= 0) return Fail(state, "the X server's process is not known");
  constexpr int Seconds = 5;
  for (auto _ : state) {
    RunningProgram program;
    if (!SizedWindow(display, program, state)) return Fail(state, "no frame appeared");
    const long before = program.ProcessorTicks();
    const long serverBefore = RunningProgram::ProcessTicks(server);
    const Clock::time_point start = Clock::now();
    std::this_thread::sleep_for(std::chrono::seconds(Seconds));
    const long used = program.ProcessorTicks() - before;
    const long serverUsed = RunningProgram::ProcessTicks(server) - serverBefore;
    const std::chrono::duration<double> wall = Clock::now() - start;
    state.SetIterationTime(wall.count());
    const double tickPercent = 100.0 / static_cast<double>(sysconf(_SC_CLK_TCK)) / wall.count();
    state.counters["core_percent"] = static_cast<double>(used) * tickPercent;
    state.counters["server_percent"] = static_cast<double>(serverUsed) * tickPercent;
    state.counters["together_percent"] = static_cast<double>(used + serverUsed) * tickPercent;
    state.counters["rss_MB"] = static_cast<double>(program.StatusField("VmRSS")) / 1024;
    state.counters["threads"] = static_cast<double>(program.StatusField("Threads"));
  }
}
BENCHMARK(Spinning)
    ->ArgNames({"width", "height"})
    ->Args({624, 441})
    ->Args({1904, 1041})
    ->Args({3840, 2100})
    ->UseManualTime()
    ->Iterations(1)
    ->Unit(benchmark::kSecond);

// The time between frames drawn into the window over ten seconds, by the server's clock (in
// milliseconds), against the display's refresh period.
void FramePacing(benchmark::State& state) {
  Display* display = TheDisplay();
  if (!display) return Fail(state, "no X display");
  for (auto _ : state) {
    RunningProgram program;
    const Window window = SizedWindow(display, program, state);
    if (!window) return Fail(state, "no frame appeared");
    WindowDamage damage(display, window);
    if (!damage.Watching()) return Fail(state, "the display has no DAMAGE extension");
    const Clock::time_point start = Clock::now();
    const auto frames = damage.FramesCollect(SIZE_MAX, std::chrono::seconds(10));
    state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
    if (frames.size() < 3) return Fail(state, "fewer than 3 frames in 10 s");
    std::vector<double> intervals;
    for (size_t i = 1; i < frames.size(); ++i) {
      intervals.push_back(static_cast<double>(frames[i].serverTime - frames[i - 1].serverTime));
    }
    std::sort(intervals.begin(), intervals.end());
    state.counters["frames"] = static_cast<double>(frames.size());
    state.counters["interval_median_ms"] = intervals[intervals.size() / 2];
    state.counters["interval_worst_ms"] = intervals.back();
    state.counters["interval_least_ms"] = intervals.front();
  }
}
BENCHMARK(FramePacing)
    ->ArgNames({"width", "height"})
    ->Args({1904, 1041})
    ->UseManualTime()
    ->Iterations(1)
    ->Unit(benchmark::kSecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (argc > 2) {
    std::fprintf(stderr, "usage: %s [benchmark flags] [PROGRAM]\n", argv[0]);
    return 2;
  }
  if (argc == 2) Program = argv[1];
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return Failed ? 1 : 0;
}
