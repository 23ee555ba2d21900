// A texture whose level 0 is plain memory with a pitch the test chooses, so a test can see
// every byte written through the lock, padding included.
#ifndef VELKOR_TESTS_DOUBLES_MEMORY_TEXTURE_H
#define VELKOR_TESTS_DOUBLES_MEMORY_TEXTURE_H

#include "device/direct3d.h"
#include "doubles/recording_double.h"

class MemoryTexture : public RecordingDouble<IDirect3DTexture8> {
 public:
  MemoryTexture(UINT width, UINT height, INT pitch, BYTE fill);

  UINT width, height;
  INT pitch;
  std::vector<BYTE> bytes;  // pitch * height
  bool lockGivesNull = false;

  HRESULT STDMETHODCALLTYPE GetDevice(IDirect3DDevice8** ppDevice) override;
  D3DRESOURCETYPE STDMETHODCALLTYPE GetType() override;
  DWORD STDMETHODCALLTYPE GetLevelCount() override;
  HRESULT STDMETHODCALLTYPE GetLevelDesc(UINT Level, D3DSURFACE_DESC* pDesc) override;
  HRESULT STDMETHODCALLTYPE LockRect(UINT Level, D3DLOCKED_RECT* pLockedRect, const RECT* pRect,
                                     DWORD Flags) override;
  HRESULT STDMETHODCALLTYPE UnlockRect(UINT Level) override;

#ifdef _WIN32
#include "doubles/texture8_windows_methods.inc"
#endif
};

#endif
