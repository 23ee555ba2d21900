// A vertex buffer that is plain memory, with a lock a test can make fail.
#ifndef VELKOR_TESTS_DOUBLES_MEMORY_VERTEX_BUFFER_H
#define VELKOR_TESTS_DOUBLES_MEMORY_VERTEX_BUFFER_H

#include "device/direct3d.h"
#include "doubles/recording_double.h"

class MemoryVertexBuffer : public RecordingDouble<IDirect3DVertexBuffer8> {
 public:
  explicit MemoryVertexBuffer(UINT length);

  std::vector<BYTE> bytes;
  HRESULT lockResult = D3D_OK;
  bool lockGivesNull = false;

  HRESULT STDMETHODCALLTYPE GetDevice(IDirect3DDevice8** ppDevice) override;
  D3DRESOURCETYPE STDMETHODCALLTYPE GetType() override;
  HRESULT STDMETHODCALLTYPE Lock(UINT OffsetToLock, UINT SizeToLock, BYTE** ppbData,
                                 DWORD Flags) override;
  HRESULT STDMETHODCALLTYPE Unlock() override;
  HRESULT STDMETHODCALLTYPE GetDesc(D3DVERTEXBUFFER_DESC* pDesc) override;

#ifdef _WIN32
#include "doubles/vertex_buffer8_windows_methods.inc"
#endif
};

#endif
