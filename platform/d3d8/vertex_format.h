// The flexible vertex formats this device draws: a position (XYZ, or XYZRHW already
// transformed), an optional normal (not with XYZRHW), diffuse and specular colours, and up to
// eight sets of 2-D texture coordinates. Where each element sits: VertexLayoutFromFvf.
#ifndef VELKOR_PLATFORM_D3D8_VERTEX_FORMAT_H
#define VELKOR_PLATFORM_D3D8_VERTEX_FORMAT_H

#include <d3d8.h>

namespace d3d8sw {

bool VertexFormatSupported(DWORD fvf);

}  // namespace d3d8sw

#endif
