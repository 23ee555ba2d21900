// What the C++ side of the browser back end calls in the page's side (browser_page.js): the
// windows the page draws, the events it has heard, and the waits that give the page back to the
// browser until something comes. Under node there is no page: windows are records only and
// nothing is shown, as on a headless display.
#ifndef VELKOR_PLATFORM_WIN32_BACKENDS_BROWSER_PAGE_CALLS_H
#define VELKOR_PLATFORM_WIN32_BACKENDS_BROWSER_PAGE_CALLS_H

#include <cstdint>

// What the page heard, as PageEventTake hands it over.
enum PageEventKind : int32_t {
  PageEventClose = 1,  // the close button of the window's frame
  PageEventKey = 2,
};

struct PageEvent {
  int32_t kind = 0;
  int32_t window = 0;  // the page's id of the window
  // Keys: pressed or released, a press of a key held down, the modifiers held (this key's own
  // counted), and the key as KeyboardEvent.code names its place on the keyboard.
  int32_t down = 0;
  int32_t repeat = 0;
  int32_t alt = 0;
  int32_t control = 0;
  int32_t shift = 0;
  int32_t capsLock = 0;
  char code[32] = {};
};

extern "C" {

// True in a page, where windows are shown to someone.
int PageOnScreen();

// The screen the page is on, in CSS pixels.
void PageDisplaySize(int32_t* width, int32_t* height);

// A window of the given client size in a frame titled `title`, hidden; its id.
int PageWindowCreate(const char* title, int clientWidth, int clientHeight);
void PageWindowShow(int window);
void PageWindowHide(int window);
void PageWindowDestroy(int window);

// Makes the window cover the page (and the screen, where the browser lets a page take it
// unasked); its client size then.
void PageWindowFullScreen(int window, int32_t* clientWidth, int32_t* clientHeight);

// Puts the part `x`, `y`, `width`, `height` of `pixels` (a frame of `frameWidth` by
// `frameHeight`, in the canvas's byte order) on the window's canvas, which is shown across a
// client area of `clientWidth` by `clientHeight`; a part with no width or no height puts nothing.
// False when the page has no 2-D context for it.
int PageWindowPresent(int window, const uint32_t* pixels, int frameWidth, int frameHeight, int x,
                      int y, int width, int height, int clientWidth, int clientHeight);

// Gives the page back to the browser until its `count`-th animation frame from now. False at
// once where there are no animation frames (no page).
int PageRefreshWait(int count);

// Takes the oldest event the page heard into `event`; false when there is none.
int PageEventTake(PageEvent* event);

// Gives the page back to the browser until it hears an event, or `timeoutMilliseconds` pass.
void PageEventsWait(int timeoutMilliseconds);

// A modal dialog of one OK button; gives the page back to the browser until it is dismissed.
// `icon` is "error", "warning", "information" or empty.
void PageMessageBox(const char* caption, const char* text, const char* icon);

// The process ends: its windows and boxes leave the page.
void PageStop();
}

#endif
