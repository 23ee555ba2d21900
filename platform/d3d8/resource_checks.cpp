#include "platform/d3d8/resource_checks.h"

namespace d3d8sw {

bool BufferPoolValid(D3DPOOL pool) {
  return pool == D3DPOOL_DEFAULT || pool == D3DPOOL_MANAGED || pool == D3DPOOL_SYSTEMMEM;
}

HRESULT OutOfMemoryFor(D3DPOOL pool) {
  return pool == D3DPOOL_DEFAULT ? D3DERR_OUTOFVIDEOMEMORY : E_OUTOFMEMORY;
}

}  // namespace d3d8sw
