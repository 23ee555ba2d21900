#include "doubles/memory_vertex_buffer.h"

MemoryVertexBuffer::MemoryVertexBuffer(UINT length) : bytes(length, 0xCD) {}

HRESULT STDMETHODCALLTYPE MemoryVertexBuffer::QueryInterface(REFIID, void**) {
  return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE MemoryVertexBuffer::AddRef() {
  calls.push_back(CallDescription("AddRef"));
  return ++references;
}

ULONG STDMETHODCALLTYPE MemoryVertexBuffer::Release() {
  calls.push_back(CallDescription("Release"));
  return --references;
}

HRESULT STDMETHODCALLTYPE MemoryVertexBuffer::GetDevice(IDirect3DDevice8** ppDevice) {
  *ppDevice = nullptr;
  return D3DERR_INVALIDCALL;
}

D3DRESOURCETYPE STDMETHODCALLTYPE MemoryVertexBuffer::GetType() { return D3DRTYPE_VERTEXBUFFER; }

HRESULT STDMETHODCALLTYPE MemoryVertexBuffer::Lock(UINT OffsetToLock, UINT SizeToLock,
                                                   BYTE** ppbData, DWORD Flags) {
  calls.push_back(CallDescription("Lock", OffsetToLock, SizeToLock, ppbData, Flags));
  *ppbData = lockGivesNull || FAILED(lockResult) ? nullptr : bytes.data() + OffsetToLock;
  return lockResult;
}

HRESULT STDMETHODCALLTYPE MemoryVertexBuffer::Unlock() {
  calls.push_back(CallDescription("Unlock"));
  return D3D_OK;
}

HRESULT STDMETHODCALLTYPE MemoryVertexBuffer::GetDesc(D3DVERTEXBUFFER_DESC* pDesc) {
  *pDesc = {};
  pDesc->Format = D3DFMT_VERTEXDATA;
  pDesc->Type = D3DRTYPE_VERTEXBUFFER;
  pDesc->Size = static_cast<UINT>(bytes.size());
  return D3D_OK;
}
