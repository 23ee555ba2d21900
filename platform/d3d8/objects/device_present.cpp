// Present: the first back buffer goes to the window, stretched to its client area by the
// window stand-in, and then the device waits for the display's refresh when the chain asks for
// that. A COPY present leaves the back buffer as it was. The stand-in is told which part was
// written since the last present, so that a window still holding that frame takes only what
// changed.
#include <algorithm>

#include "platform/d3d8/objects/software_device.h"
#include "platform/d3d8/objects/presentation_parameters.h"
#include "platform/win32/stand_in.h"

namespace d3d8sw {

// A source rectangle (COPY chains only) picks part of the back buffer, clipped to it. The window
// stand-in shows a frame across the whole client area only, so a destination rectangle is
// refused rather than ignored. The dirty region is unused in Direct3D 8.
HRESULT STDMETHODCALLTYPE Device::Present(const RECT* sourceRect, const RECT* destRect,
                                          HWND destWindowOverride, const RGNDATA*) {
  BackBufferSurface& backBuffer = *backBuffers_.front();
  if (destRect || (sourceRect && !SwapEffectCopies(parameters_.SwapEffect)) ||
      backBuffer.Locked()) {
    return D3DERR_INVALIDCALL;
  }
  LONG left = 0;
  LONG top = 0;
  LONG right = static_cast<LONG>(backBuffer.Width());
  LONG bottom = static_cast<LONG>(backBuffer.Height());
  if (sourceRect) {
    left = std::max(left, sourceRect->left);
    top = std::max(top, sourceRect->top);
    right = std::min(right, sourceRect->right);
    bottom = std::min(bottom, sourceRect->bottom);
  }
  const bool flips = parameters_.SwapEffect == D3DSWAPEFFECT_FLIP && backBuffers_.size() > 1;
  const HWND window = destWindowOverride ? destWindowOverride : window_;
  bool shown = true;
  if (left < right && top < bottom) {
    PipelineFinish(target_, flips ? TargetAccess::ReadWrite : TargetAccess::Read);
    const uint32_t* pixels =
        backBuffer.Pixels() + static_cast<ptrdiff_t>(top) * backBuffer.Width() + left;
    // Within the part shown, from its corner.
    const RECT written = PipelineChangedTake(target_);
    const RECT changed = {std::max(written.left, left) - left, std::max(written.top, top) - top,
                          std::min(written.right, right) - left,
                          std::min(written.bottom, bottom) - top};
    shown = win32sw::WindowPresent(window, pixels, static_cast<UINT>(right - left),
                                   static_cast<UINT>(bottom - top), backBuffer.Pitch(), &changed);
  }
  if (flips) BackBuffersFlip();
  // Paced even when nothing could be shown, so a frame loop never spins.
  PresentWait(refreshClock_, window, refreshesPerPresent_);
  return shown ? D3D_OK : D3DERR_INVALIDCALL;
}

void Device::BackBuffersFlip() {
  for (size_t i = 0; i + 1 < backBuffers_.size(); ++i) {
    backBuffers_[i]->PixelsSwap(*backBuffers_[i + 1]);
  }
  TargetBuild();
}

}  // namespace d3d8sw
