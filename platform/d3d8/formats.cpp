#include "platform/d3d8/formats.h"

namespace d3d8sw {

bool IsColourFormat(D3DFORMAT format) {
  return format == D3DFMT_X8R8G8B8 || format == D3DFMT_A8R8G8B8;
}

bool IsDepthFormat(D3DFORMAT format) {
  return format == D3DFMT_D16 || format == D3DFMT_D24X8 || format == D3DFMT_D32;
}

UINT DepthBytesPerPixel(D3DFORMAT format) { return format == D3DFMT_D16 ? 2 : 4; }

}  // namespace d3d8sw
