#include "doubles/memory_vertex_buffer.h"

MemoryVertexBuffer::MemoryVertexBuffer(UINT length) : bytes(length, 0xCD) {}

HRESULT STDMETHODCALLTYPE MemoryVertexBuffer::GetDevice(IDirect3DDevice8** ppDevice) {
  *ppDevice = nullptr;
  return D3DERR_INVALIDCALL;
}

D3DRESOURCETYPE STDMETHODCALLTYPE MemoryVertexBuffer::GetType() { return D3DRTYPE_VERTEXBUFFER; }

HRESULT STDMETHODCALLTYPE MemoryVertexBuffer::Lock(UINT OffsetToLock, UINT SizeToLock,
                                                   BYTE** ppbData, DWORD Flags) {
  Record(CallDescription("Lock", OffsetToLock, SizeToLock, ppbData, Flags));
  *ppbData = lockGivesNull || FAILED(lockResult) ? nullptr : bytes.data() + OffsetToLock;
  return lockResult;
}

HRESULT STDMETHODCALLTYPE MemoryVertexBuffer::Unlock() {
  Record(CallDescription("Unlock"));
  return D3D_OK;
}

HRESULT STDMETHODCALLTYPE MemoryVertexBuffer::GetDesc(D3DVERTEXBUFFER_DESC* pDesc) {
  *pDesc = {};
  pDesc->Format = D3DFMT_VERTEXDATA;
  pDesc->Type = D3DRTYPE_VERTEXBUFFER;
  pDesc->Size = static_cast<UINT>(bytes.size());
  return D3D_OK;
}
