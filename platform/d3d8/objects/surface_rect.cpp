#include "platform/d3d8/objects/surface_rect.h"

namespace d3d8sw {

HRESULT SurfaceRectLock(uint32_t* pixels, INT pitch, UINT width, UINT height, const RECT* rect,
                        D3DLOCKED_RECT& locked) {
  locked = {0, nullptr};
  LONG left = 0;
  LONG top = 0;
  if (rect) {
    if (rect->left < 0 || rect->top < 0 || rect->left >= rect->right || rect->top >= rect->bottom ||
        static_cast<UINT>(rect->right) > width || static_cast<UINT>(rect->bottom) > height) {
      return D3DERR_INVALIDCALL;
    }
    left = rect->left;
    top = rect->top;
  }
  locked.Pitch = pitch;
  locked.pBits = reinterpret_cast<BYTE*>(pixels) + static_cast<ptrdiff_t>(top) * pitch + left * 4;
  return D3D_OK;
}

}  // namespace d3d8sw
