// A back buffer of the device. Like the real runtime's implicit surfaces it belongs to the
// device: its count starts at 0, references the application holds keep the device alive, and it
// is destroyed with the device, not when its count returns to 0. It is always lockable, so the
// application (and the tests) can read what was drawn.
#ifndef VELKOR_PLATFORM_D3D8_OBJECTS_SURFACE_H
#define VELKOR_PLATFORM_D3D8_OBJECTS_SURFACE_H

#include <vector>

#include "platform/d3d8/objects/device_child.h"
#include "platform/d3d8/pipeline/pipeline.h"

namespace d3d8sw {

class BackBufferSurface final : public DeviceChild<IDirect3DSurface8> {
 public:
  BackBufferSurface(IDirect3DDevice8* device, UINT width, UINT height, D3DFORMAT format);

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
  HRESULT STDMETHODCALLTYPE GetDesc(D3DSURFACE_DESC* desc) override;
  HRESULT STDMETHODCALLTYPE LockRect(D3DLOCKED_RECT* locked, const RECT* rect,
                                     DWORD flags) override;
  HRESULT STDMETHODCALLTYPE UnlockRect() override;

  uint32_t* Pixels() { return pixels_.data(); }
  INT Pitch() const { return static_cast<INT>(width_ * 4); }
  UINT Width() const { return width_; }
  UINT Height() const { return height_; }
  bool Locked() const { return locked_; }

  // The render target this surface's memory is drawn through, whose deferred work a lock must
  // finish first; null while it is not the one drawn into.
  void TargetSet(RenderTarget* target) { target_ = target; }

  // Trades contents with another back buffer: a flip.
  void PixelsSwap(BackBufferSurface& other) { pixels_.swap(other.pixels_); }

 private:
  std::vector<uint32_t> pixels_;
  UINT width_;
  UINT height_;
  D3DFORMAT format_;
  RenderTarget* target_ = nullptr;
  bool locked_ = false;
};

}  // namespace d3d8sw

#endif
