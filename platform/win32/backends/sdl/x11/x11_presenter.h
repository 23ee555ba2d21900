// Frames on X11 as the graphics card shows them on Windows: each frame goes to the X server
// once, at its own size, through shared memory (MIT-SHM), and the server scales it into the
// window (RENDER), converting it to whatever the window's visual is; only the part that changed
// is sent. Refreshes are counted by the Present extension.
#ifndef VELKOR_PLATFORM_WIN32_X11_X11_PRESENTER_H
#define VELKOR_PLATFORM_WIN32_X11_X11_PRESENTER_H

#include <string>

#include "platform/win32/backends/sdl/presenter.h"

namespace win32sw {

// The presenter for `window` when SDL shows it on X11. Null otherwise; `refusal` then says why,
// when the window is on X11 but the server lacks what the presenter needs.
std::unique_ptr<Presenter> X11PresenterCreate(SDL_Window* window, std::string& refusal);

// True for an error of a request the presenters make (`requestCode` being one of the
// extensions they use): it is noted for them, not reported.
bool X11PresenterErrorTake(unsigned char requestCode);

}  // namespace win32sw

#endif
