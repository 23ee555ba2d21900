// A vertex buffer: bytes in memory, locked by range for the application and read whole by the
// pipeline.
#ifndef VELKOR_PLATFORM_D3D8_OBJECTS_VERTEX_BUFFER_H
#define VELKOR_PLATFORM_D3D8_OBJECTS_VERTEX_BUFFER_H

#include <vector>

#include "platform/d3d8/objects/device_resource.h"

namespace d3d8sw {

class VertexBuffer final : public DeviceResource<IDirect3DVertexBuffer8> {
 public:
  // Checks the arguments as CreateVertexBuffer does; on success `*buffer` holds a new buffer
  // with one reference, else null.
  static HRESULT Create(IDirect3DDevice8* device, UINT length, DWORD usage, DWORD fvf, D3DPOOL pool,
                        IDirect3DVertexBuffer8** buffer);

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
  D3DRESOURCETYPE STDMETHODCALLTYPE GetType() override { return D3DRTYPE_VERTEXBUFFER; }
  HRESULT STDMETHODCALLTYPE Lock(UINT offset, UINT size, BYTE** data, DWORD flags) override;
  HRESULT STDMETHODCALLTYPE Unlock() override;
  HRESULT STDMETHODCALLTYPE GetDesc(D3DVERTEXBUFFER_DESC* desc) override;

  const BYTE* Bytes() const { return bytes_.data(); }
  UINT Length() const { return static_cast<UINT>(bytes_.size()); }
  bool Locked() const { return locks_ > 0; }

 private:
  VertexBuffer(IDirect3DDevice8* device, UINT length, DWORD usage, DWORD fvf, D3DPOOL pool);

  std::vector<BYTE> bytes_;
  DWORD usage_;
  DWORD fvf_;
  D3DPOOL pool_;
  UINT locks_ = 0;  // locks nest; each needs its unlock
};

}  // namespace d3d8sw

#endif
