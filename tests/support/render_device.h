// A window with a windowed Direct3D 8 device drawing into it, and the back buffer read through
// the Direct3D 8 API itself, so the same tests build for Windows and check its Direct3D 8 too.
#ifndef VELKOR_TESTS_SUPPORT_RENDER_DEVICE_H
#define VELKOR_TESTS_SUPPORT_RENDER_DEVICE_H

#include <gtest/gtest.h>

#include <vector>

#include "device/direct3d.h"
#include "support/test_window.h"

// A copy of the back buffer: 0xAARRGGBB as stored, row by row.
struct BackBufferImage {
  UINT width = 0;
  UINT height = 0;
  std::vector<D3DCOLOR> pixels;

  D3DCOLOR At(UINT x, UINT y) const { return pixels[y * width + x]; }
};

class RenderDevice {
 public:
  // A device for a `width` by `height` window with a lockable back buffer of that size in the
  // desktop's format and the COPY swap effect (presents do not wait), and a depth buffer in
  // `depthFormat` unless that is D3DFMT_UNKNOWN. D3DSWAPEFFECT_FLIP gives it two back buffers.
  RenderDevice(UINT width, UINT height, D3DFORMAT depthFormat = D3DFMT_UNKNOWN,
               D3DSWAPEFFECT swapEffect = D3DSWAPEFFECT_COPY);
  ~RenderDevice();
  RenderDevice(const RenderDevice&) = delete;
  RenderDevice& operator=(const RenderDevice&) = delete;

  IDirect3DDevice8* operator->() const { return device; }

  // The back buffer as it is now; empty when it cannot be read (a failure is recorded).
  BackBufferImage BackBufferRead() const;

  // A managed vertex buffer holding a copy of `vertices`; the caller releases it. Null when it
  // cannot be made (a failure is recorded).
  IDirect3DVertexBuffer8* VertexBufferWith(const void* vertices, UINT bytes, DWORD fvf) const;

  TestWindow window;
  IDirect3D8* direct3d = nullptr;
  IDirect3DDevice8* device = nullptr;  // null when creation failed (a failure is recorded)
};

// Back buffer `index` of `device` as it is now; empty when it cannot be read (a failure is
// recorded).
BackBufferImage BackBufferRead(IDirect3DDevice8* device, UINT index = 0);

// Whether the adapter offers depth buffers in `format` on the desktop's display format: the
// depth formats are the adapter's choice, so tests ask as the program does.
bool DepthFormatAccepted(D3DFORMAT format);

// Whether the red, green and blue channels of two colours differ by at most `tolerance`.
::testing::AssertionResult ColourNear(D3DCOLOR actual, D3DCOLOR expected, int tolerance);

#endif
