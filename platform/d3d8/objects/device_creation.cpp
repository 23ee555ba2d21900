// The device's creation and end, the render target it builds over its back buffer, and the
// objects it creates or hands out.
#include "platform/d3d8/objects/software_device.h"

#include <new>

#include "platform/d3d8/objects/com_query.h"
#include "platform/d3d8/pipeline/formats.h"
#include "platform/d3d8/objects/texture_resource.h"
#include "platform/d3d8/objects/vertex_buffer.h"

namespace d3d8sw {

HRESULT Device::Create(IDirect3D8* direct3d, HWND window, const D3DPRESENT_PARAMETERS& parameters,
                       UINT refreshRate, IDirect3DDevice8** device) {
  try {
    *device = new Device(direct3d, window, parameters, refreshRate);
  } catch (const std::bad_alloc&) {
    *device = nullptr;
    return D3DERR_OUTOFVIDEOMEMORY;
  }
  return D3D_OK;
}

Device::Device(IDirect3D8* direct3d, HWND window, const D3DPRESENT_PARAMETERS& parameters,
               UINT refreshRate)
    : direct3d_(direct3d),
      window_(window),
      parameters_(parameters),
      refreshClock_(refreshRate),
      refreshesPerPresent_(PresentRefreshCount(parameters)) {
  for (UINT i = 0; i < parameters.BackBufferCount; ++i) {
    backBuffers_.push_back(std::make_unique<BackBufferSurface>(this, parameters.BackBufferWidth,
                                                               parameters.BackBufferHeight,
                                                               parameters.BackBufferFormat));
  }
  if (parameters.EnableAutoDepthStencil) {
    const size_t pitch =
        parameters.BackBufferWidth * size_t{DepthBytesPerPixel(parameters.AutoDepthStencilFormat)};
    depthBuffer_.assign((pitch * parameters.BackBufferHeight + 3) / 4, 0);
  }
  TargetBuild();
  PipelineStateReset(state_, parameters.EnableAutoDepthStencil != FALSE);
  state_.viewport = {0, 0, parameters.BackBufferWidth, parameters.BackBufferHeight, 0.0f, 1.0f};
  // Every transform starts as the identity the reset gave the world matrix.
  for (D3DMATRIX& matrix : extraWorlds_) matrix = state_.world;
  for (D3DMATRIX& matrix : textureTransforms_) matrix = state_.world;
  direct3d_->AddRef();
}

Device::~Device() {
  for (Texture*& texture : textures_) {
    if (texture) texture->Unbind();
  }
  if (stream_) stream_->Unbind();
  direct3d_->Release();
}

void Device::TargetBuild() {
  BackBufferSurface& backBuffer = *backBuffers_.front();
  target_ = RenderTarget(backBuffer.Pixels(), backBuffer.Pitch(), backBuffer.Width(),
                         backBuffer.Height());
  if (!depthBuffer_.empty()) {
    const D3DFORMAT format = parameters_.AutoDepthStencilFormat;
    target_.DepthAttach(depthBuffer_.data(),
                        static_cast<INT>(backBuffer.Width() * DepthBytesPerPixel(format)), format);
  }
  backBuffer.TargetSet(&target_);
}

HRESULT STDMETHODCALLTYPE Device::QueryInterface(REFIID riid, void** object) {
  return InterfaceQuery(this, riid, object, {&IID_IUnknown, &IID_IDirect3DDevice8});
}

HRESULT STDMETHODCALLTYPE Device::GetDirect3D(IDirect3D8** direct3d) {
  if (!direct3d) return D3DERR_INVALIDCALL;
  direct3d_->AddRef();
  *direct3d = direct3d_;
  return D3D_OK;
}

// Direct3D 8 has no stereo, so the only kind of back buffer is MONO.
HRESULT STDMETHODCALLTYPE Device::GetBackBuffer(UINT index, D3DBACKBUFFER_TYPE type,
                                                IDirect3DSurface8** backBuffer) {
  if (!backBuffer) return D3DERR_INVALIDCALL;
  *backBuffer = nullptr;
  if (index >= backBuffers_.size() || type != D3DBACKBUFFER_TYPE_MONO) return D3DERR_INVALIDCALL;
  backBuffers_[index]->AddRef();
  *backBuffer = backBuffers_[index].get();
  return D3D_OK;
}

HRESULT STDMETHODCALLTYPE Device::CreateTexture(UINT width, UINT height, UINT levels, DWORD usage,
                                                D3DFORMAT format, D3DPOOL pool,
                                                IDirect3DTexture8** texture) {
  return Texture::Create(this, width, height, levels, usage, format, pool, texture);
}

HRESULT STDMETHODCALLTYPE Device::CreateVertexBuffer(UINT length, DWORD usage, DWORD fvf,
                                                     D3DPOOL pool,
                                                     IDirect3DVertexBuffer8** buffer) {
  return VertexBuffer::Create(this, length, usage, fvf, pool, buffer);
}

}  // namespace d3d8sw
