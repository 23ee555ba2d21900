#include "support/render_device.h"

#include <cstdlib>
#include <cstring>
#include <iomanip>

RenderDevice::RenderDevice(UINT width, UINT height, D3DFORMAT depthFormat, D3DSWAPEFFECT swapEffect)
    : window(static_cast<int>(width), static_cast<int>(height)) {
  direct3d = Direct3DCreate8(D3D_SDK_VERSION);
  if (!direct3d || !window.handle) {
    ADD_FAILURE() << "no Direct3D object or no window";
    return;
  }
  D3DDISPLAYMODE mode = {};
  HRESULT result = direct3d->GetAdapterDisplayMode(D3DADAPTER_DEFAULT, &mode);
  if (FAILED(result)) {
    ADD_FAILURE() << "GetAdapterDisplayMode: 0x" << std::hex << result;
    return;
  }
  D3DPRESENT_PARAMETERS parameters = {};
  parameters.BackBufferWidth = width;
  parameters.BackBufferHeight = height;
  parameters.BackBufferFormat = mode.Format;
  parameters.BackBufferCount = swapEffect == D3DSWAPEFFECT_FLIP ? 2 : 1;
  parameters.SwapEffect = swapEffect;
  parameters.hDeviceWindow = window.handle;
  parameters.Windowed = TRUE;
  parameters.EnableAutoDepthStencil = depthFormat != D3DFMT_UNKNOWN;
  parameters.AutoDepthStencilFormat = depthFormat;
  parameters.Flags = D3DPRESENTFLAG_LOCKABLE_BACKBUFFER;
  result = direct3d->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, window.handle,
                                  D3DCREATE_SOFTWARE_VERTEXPROCESSING, &parameters, &device);
  if (FAILED(result)) {
    device = nullptr;
    ADD_FAILURE() << "CreateDevice: 0x" << std::hex << result;
  }
}

RenderDevice::~RenderDevice() {
  if (device) device->Release();
  if (direct3d) direct3d->Release();
}

BackBufferImage RenderDevice::BackBufferRead() const { return ::BackBufferRead(device); }

BackBufferImage BackBufferRead(IDirect3DDevice8* device, UINT index) {
  BackBufferImage image;
  IDirect3DSurface8* surface = nullptr;
  if (!device || FAILED(device->GetBackBuffer(index, D3DBACKBUFFER_TYPE_MONO, &surface))) {
    ADD_FAILURE() << "no back buffer";
    return image;
  }
  D3DSURFACE_DESC desc = {};
  D3DLOCKED_RECT locked = {};
#ifdef _WIN32
  // Windows locks a back buffer only when the device was made with a lockable one (Wine's d3d8
  // device test test_lockable_backbuffer), and the program's is not: the pixels are copied to a
  // surface in system memory first, as Windows' own tests read them.
  IDirect3DSurface8* copy = nullptr;
  if (SUCCEEDED(surface->GetDesc(&desc)) &&
      SUCCEEDED(device->CreateImageSurface(desc.Width, desc.Height, desc.Format, &copy)) &&
      SUCCEEDED(device->CopyRects(surface, nullptr, 0, copy, nullptr))) {
    surface->Release();
    surface = copy;
  } else if (copy) {
    copy->Release();
  }
#endif
  if (SUCCEEDED(surface->GetDesc(&desc)) &&
      SUCCEEDED(surface->LockRect(&locked, nullptr, D3DLOCK_READONLY))) {
    image.width = desc.Width;
    image.height = desc.Height;
    image.pixels.resize(static_cast<size_t>(desc.Width) * desc.Height);
    for (UINT y = 0; y < desc.Height; ++y) {
      std::memcpy(&image.pixels[static_cast<size_t>(y) * desc.Width],
                  static_cast<const BYTE*>(locked.pBits) + static_cast<ptrdiff_t>(y) * locked.Pitch,
                  desc.Width * sizeof(D3DCOLOR));
    }
    surface->UnlockRect();
  } else {
    ADD_FAILURE() << "the back buffer cannot be locked";
  }
  surface->Release();
  return image;
}

IDirect3DVertexBuffer8* RenderDevice::VertexBufferWith(const void* vertices, UINT bytes,
                                                       DWORD fvf) const {
  IDirect3DVertexBuffer8* buffer = nullptr;
  if (!device || FAILED(device->CreateVertexBuffer(bytes, D3DUSAGE_WRITEONLY, fvf, D3DPOOL_MANAGED,
                                                   &buffer))) {
    ADD_FAILURE() << "CreateVertexBuffer of " << bytes << " bytes failed";
    return nullptr;
  }
  BYTE* data = nullptr;
  if (FAILED(buffer->Lock(0, 0, &data, 0))) {
    ADD_FAILURE() << "the vertex buffer cannot be locked";
    buffer->Release();
    return nullptr;
  }
  std::memcpy(data, vertices, bytes);
  buffer->Unlock();
  return buffer;
}

bool DepthFormatAccepted(D3DFORMAT format) {
  IDirect3D8* direct3d = Direct3DCreate8(D3D_SDK_VERSION);
  if (!direct3d) return false;
  D3DDISPLAYMODE mode = {};
  const bool accepted =
      SUCCEEDED(direct3d->GetAdapterDisplayMode(D3DADAPTER_DEFAULT, &mode)) &&
      direct3d->CheckDeviceFormat(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, mode.Format,
                                  D3DUSAGE_DEPTHSTENCIL, D3DRTYPE_SURFACE, format) == D3D_OK;
  direct3d->Release();
  return accepted;
}

::testing::AssertionResult ColourNear(D3DCOLOR actual, D3DCOLOR expected, int tolerance) {
  for (int shift = 0; shift <= 16; shift += 8) {
    const int difference =
        static_cast<int>((actual >> shift) & 0xFF) - static_cast<int>((expected >> shift) & 0xFF);
    if (std::abs(difference) > tolerance) {
      return ::testing::AssertionFailure()
             << std::hex << std::setfill('0') << "colour 0x" << std::setw(8) << actual
             << " is not within " << std::dec << tolerance << " of 0x" << std::hex << std::setw(8)
             << expected << " (RGB)";
    }
  }
  return ::testing::AssertionSuccess();
}
