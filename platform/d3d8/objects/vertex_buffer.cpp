#include "platform/d3d8/objects/vertex_buffer.h"

#include <new>

#include "platform/d3d8/objects/com_query.h"
#include "platform/d3d8/pipeline/vertex/vertex_format.h"

namespace d3d8sw {

namespace {

constexpr DWORD VertexBufferUsages = D3DUSAGE_WRITEONLY | D3DUSAGE_SOFTWAREPROCESSING |
                                     D3DUSAGE_DONOTCLIP | D3DUSAGE_POINTS | D3DUSAGE_RTPATCHES |
                                     D3DUSAGE_NPATCHES | D3DUSAGE_DYNAMIC;
constexpr DWORD VertexBufferLocks = D3DLOCK_READONLY | D3DLOCK_NOSYSLOCK | D3DLOCK_NOOVERWRITE |
                                    D3DLOCK_DISCARD | D3DLOCK_NO_DIRTY_UPDATE;

}  // namespace

HRESULT VertexBuffer::Create(IDirect3DDevice8* device, UINT length, DWORD usage, DWORD fvf,
                             D3DPOOL pool, IDirect3DVertexBuffer8** buffer) {
  if (!buffer) return D3DERR_INVALIDCALL;
  *buffer = nullptr;
  // A buffer with a vertex format must hold at least one vertex of it.
  if (length == 0 || (usage & ~VertexBufferUsages) != 0 || !BufferPoolValid(pool) ||
      (fvf != 0 && (!VertexFormatSupported(fvf) || length < VertexLayoutFromFvf(fvf).size))) {
    return D3DERR_INVALIDCALL;
  }
  try {
    *buffer = new VertexBuffer(device, length, usage, fvf, pool);
  } catch (const std::bad_alloc&) {
    return OutOfMemoryFor(pool);
  }
  return D3D_OK;
}

VertexBuffer::VertexBuffer(IDirect3DDevice8* device, UINT length, DWORD usage, DWORD fvf,
                           D3DPOOL pool)
    : DeviceResource(device), bytes_(length), usage_(usage), fvf_(fvf), pool_(pool) {}

HRESULT STDMETHODCALLTYPE VertexBuffer::QueryInterface(REFIID riid, void** object) {
  return InterfaceQuery(this, riid, object,
                        {&IID_IUnknown, &IID_IDirect3DResource8, &IID_IDirect3DVertexBuffer8});
}

// Size 0 locks from the offset to the end; the range must lie within the buffer.
HRESULT STDMETHODCALLTYPE VertexBuffer::Lock(UINT offset, UINT size, BYTE** data, DWORD flags) {
  if (!data) return D3DERR_INVALIDCALL;
  *data = nullptr;
  const bool readOnly = (flags & D3DLOCK_READONLY) != 0;
  if ((flags & ~VertexBufferLocks) != 0 || (readOnly && (flags & D3DLOCK_DISCARD)) ||
      (readOnly && (usage_ & D3DUSAGE_WRITEONLY)) || offset > bytes_.size() ||
      size > bytes_.size() - offset) {
    return D3DERR_INVALIDCALL;
  }
  ++locks_;
  *data = bytes_.data() + offset;
  return D3D_OK;
}

HRESULT STDMETHODCALLTYPE VertexBuffer::Unlock() {
  if (locks_ == 0) return D3DERR_INVALIDCALL;
  --locks_;
  return D3D_OK;
}

HRESULT STDMETHODCALLTYPE VertexBuffer::GetDesc(D3DVERTEXBUFFER_DESC* desc) {
  if (!desc) return D3DERR_INVALIDCALL;
  *desc = {D3DFMT_VERTEXDATA, D3DRTYPE_VERTEXBUFFER, usage_, pool_, Length(), fvf_};
  return D3D_OK;
}

}  // namespace d3d8sw
