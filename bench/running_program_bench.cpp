// The program as a person runs it, on the X display named by DISPLAY (run it under
// tests/e2e/with-xvfb): the time from starting it to its first frame on the screen, and, while
// the cube spins, its share of one processor core, its resident memory and its threads.
//
// Usage: running_program_bench [benchmark flags] [PROGRAM]
// PROGRAM (the build's velkor by default) is started in its own folder, beside its picture.
#include <benchmark/benchmark.h>

#include <X11/Xlib.h>
#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <signal.h>
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

  // utime + stime, in clock ticks.
  long ProcessorTicks() const {
    std::ifstream stat("/proc/" + std::to_string(pid_) + "/stat");
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

// Five seconds of spinning, a second after the first frame.
void Spinning(benchmark::State& state) {
  Display* display = TheDisplay();
  if (!display) return Fail(state, "no X display");
  constexpr int Seconds = 5;
  for (auto _ : state) {
    RunningProgram program;
    if (!program.FirstFrameWait(display, Patience)) return Fail(state, "no frame appeared");
    std::this_thread::sleep_for(std::chrono::seconds(1));
    const long before = program.ProcessorTicks();
    const Clock::time_point start = Clock::now();
    std::this_thread::sleep_for(std::chrono::seconds(Seconds));
    const long used = program.ProcessorTicks() - before;
    const std::chrono::duration<double> wall = Clock::now() - start;
    state.SetIterationTime(wall.count());
    state.counters["core_percent"] = 100.0 * static_cast<double>(used) /
                                     static_cast<double>(sysconf(_SC_CLK_TCK)) / wall.count();
    state.counters["rss_MB"] = static_cast<double>(program.StatusField("VmRSS")) / 1024;
    state.counters["threads"] = static_cast<double>(program.StatusField("Threads"));
  }
}
BENCHMARK(Spinning)->UseManualTime()->Iterations(1)->Unit(benchmark::kSecond);

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
