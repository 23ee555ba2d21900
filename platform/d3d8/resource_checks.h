// What creating a resource checks and answers, whatever the kind of resource.
#ifndef VELKOR_PLATFORM_D3D8_RESOURCE_CHECKS_H
#define VELKOR_PLATFORM_D3D8_RESOURCE_CHECKS_H

#include <d3d8.h>

namespace d3d8sw {

// DEFAULT, MANAGED or SYSTEMMEM: the pools a vertex buffer may live in.
bool BufferPoolValid(D3DPOOL pool);

// The answer when memory for a resource in `pool` runs out: video memory for the default
// pool, system memory for the others.
HRESULT OutOfMemoryFor(D3DPOOL pool);

}  // namespace d3d8sw

#endif
