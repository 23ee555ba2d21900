#include "doubles/memory_texture.h"

MemoryTexture::MemoryTexture(UINT width, UINT height, INT pitch, BYTE fill)
    : width(width),
      height(height),
      pitch(pitch),
      bytes(static_cast<size_t>(pitch) * height, fill) {}

HRESULT STDMETHODCALLTYPE MemoryTexture::GetDevice(IDirect3DDevice8** ppDevice) {
  *ppDevice = nullptr;
  return D3DERR_INVALIDCALL;
}

D3DRESOURCETYPE STDMETHODCALLTYPE MemoryTexture::GetType() { return D3DRTYPE_TEXTURE; }

DWORD STDMETHODCALLTYPE MemoryTexture::GetLevelCount() { return 1; }

HRESULT STDMETHODCALLTYPE MemoryTexture::GetLevelDesc(UINT Level, D3DSURFACE_DESC* pDesc) {
  if (Level != 0) return D3DERR_INVALIDCALL;
  *pDesc = {};
  pDesc->Format = D3DFMT_A8R8G8B8;
  pDesc->Type = D3DRTYPE_SURFACE;
  pDesc->Pool = D3DPOOL_MANAGED;
  pDesc->Width = width;
  pDesc->Height = height;
  return D3D_OK;
}

HRESULT STDMETHODCALLTYPE MemoryTexture::LockRect(UINT Level, D3DLOCKED_RECT* pLockedRect,
                                                  const RECT* pRect, DWORD Flags) {
  Record(CallDescription("LockRect", Level, pLockedRect, pRect, Flags));
  pLockedRect->Pitch = pitch;
  pLockedRect->pBits = lockGivesNull ? nullptr : bytes.data();
  return lockGivesNull ? D3DERR_INVALIDCALL : D3D_OK;
}

HRESULT STDMETHODCALLTYPE MemoryTexture::UnlockRect(UINT Level) {
  Record(CallDescription("UnlockRect", Level));
  return D3D_OK;
}
