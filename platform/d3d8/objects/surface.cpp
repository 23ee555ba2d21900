#include "platform/d3d8/objects/surface.h"

#include "platform/d3d8/objects/com_query.h"
#include "platform/d3d8/objects/surface_rect.h"

namespace d3d8sw {

BackBufferSurface::BackBufferSurface(IDirect3DDevice8* device, UINT width, UINT height,
                                     D3DFORMAT format)
    : DeviceChild(device, 0),
      pixels_(static_cast<size_t>(width) * height, 0),
      width_(width),
      height_(height),
      format_(format) {}

HRESULT STDMETHODCALLTYPE BackBufferSurface::QueryInterface(REFIID riid, void** object) {
  return InterfaceQuery(this, riid, object, {&IID_IUnknown, &IID_IDirect3DSurface8});
}

HRESULT STDMETHODCALLTYPE BackBufferSurface::GetDesc(D3DSURFACE_DESC* desc) {
  if (!desc) return D3DERR_INVALIDCALL;
  *desc = {format_,
           D3DRTYPE_SURFACE,
           D3DUSAGE_RENDERTARGET,
           D3DPOOL_DEFAULT,
           static_cast<UINT>(Pitch()) * height_,
           D3DMULTISAMPLE_NONE,
           width_,
           height_};
  return D3D_OK;
}

HRESULT STDMETHODCALLTYPE BackBufferSurface::LockRect(D3DLOCKED_RECT* locked, const RECT* rect,
                                                      DWORD flags) {
  if (!locked) return D3DERR_INVALIDCALL;
  *locked = {0, nullptr};
  if (locked_) return D3DERR_INVALIDCALL;
  const HRESULT result = SurfaceRectLock(pixels_.data(), Pitch(), width_, height_, rect, *locked);
  if (FAILED(result)) return result;
  if (target_) {
    PipelineFinish(*target_,
                   (flags & D3DLOCK_READONLY) ? TargetAccess::Read : TargetAccess::ReadWrite);
  }
  locked_ = true;
  return D3D_OK;
}

HRESULT STDMETHODCALLTYPE BackBufferSurface::UnlockRect() {
  if (!locked_) return D3DERR_INVALIDCALL;
  locked_ = false;
  return D3D_OK;
}

}  // namespace d3d8sw
