// The surface formats this device keeps: 32-bit colour and three depth formats.
#ifndef VELKOR_PLATFORM_D3D8_PIPELINE_FORMATS_H
#define VELKOR_PLATFORM_D3D8_PIPELINE_FORMATS_H

#include <d3d8.h>

namespace d3d8sw {

// The one display format: a 32-bit desktop reports X8R8G8B8.
constexpr D3DFORMAT DisplayFormat = D3DFMT_X8R8G8B8;

// X8R8G8B8 or A8R8G8B8: what back buffers and textures are made of.
inline bool FormatIsColour(D3DFORMAT format) {
  return format == D3DFMT_X8R8G8B8 || format == D3DFMT_A8R8G8B8;
}

// D16, D24X8 or D32: the depth buffers without stencil this device can keep.
inline bool FormatIsDepth(D3DFORMAT format) {
  return format == D3DFMT_D16 || format == D3DFMT_D24X8 || format == D3DFMT_D32;
}

// Bytes per depth sample of a depth format.
inline UINT DepthBytesPerPixel(D3DFORMAT format) { return format == D3DFMT_D16 ? 2 : 4; }

}  // namespace d3d8sw

#endif
