// The device: keeps the pipeline's state, owns the back buffers and the depth buffer, creates
// resources, and hands clears and draws to the pipeline after checking them as the real
// runtime does.
#ifndef VELKOR_PLATFORM_D3D8_OBJECTS_SOFTWARE_DEVICE_H
#define VELKOR_PLATFORM_D3D8_OBJECTS_SOFTWARE_DEVICE_H

#include <memory>
#include <vector>

#include "platform/d3d8/objects/com_object.h"
#include "platform/d3d8/pipeline/pipeline.h"
#include "platform/d3d8/objects/present_pacing.h"
#include "platform/d3d8/objects/surface.h"

namespace d3d8sw {

class Texture;
class VertexBuffer;

// What the device's draws work from: its state, its render target and the vertex buffer bound
// to its stream.
struct DrawInputs {
  const PipelineState& state;
  RenderTarget& target;
  const BYTE* vertices;  // null while no buffer is bound
  UINT stride;
  UINT vertexCount;  // whole vertices of `stride` bytes the buffer holds
};

class Device final : public ComObject<IDirect3DDevice8> {
 public:
  // `parameters` as completed by PresentationParametersComplete. On success `*device` holds
  // the new device with one reference, and the device holds one on `direct3d`.
  static HRESULT Create(IDirect3D8* direct3d, HWND window, const D3DPRESENT_PARAMETERS& parameters,
                        UINT refreshRate, IDirect3DDevice8** device);

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
  HRESULT STDMETHODCALLTYPE GetDirect3D(IDirect3D8** direct3d) override;

  // Presentation (device_present.cpp) and the back buffers (device_creation.cpp)
  HRESULT STDMETHODCALLTYPE Present(const RECT* sourceRect, const RECT* destRect,
                                    HWND destWindowOverride, const RGNDATA* dirtyRegion) override;
  HRESULT STDMETHODCALLTYPE GetBackBuffer(UINT index, D3DBACKBUFFER_TYPE type,
                                          IDirect3DSurface8** backBuffer) override;

  // Resources (device_creation.cpp, as are creation, QueryInterface and GetDirect3D)
  HRESULT STDMETHODCALLTYPE CreateTexture(UINT width, UINT height, UINT levels, DWORD usage,
                                          D3DFORMAT format, D3DPOOL pool,
                                          IDirect3DTexture8** texture) override;
  HRESULT STDMETHODCALLTYPE CreateVertexBuffer(UINT length, DWORD usage, DWORD fvf, D3DPOOL pool,
                                               IDirect3DVertexBuffer8** buffer) override;

  // Scenes, clears and draws (device_draw.cpp)
  HRESULT STDMETHODCALLTYPE BeginScene() override;
  HRESULT STDMETHODCALLTYPE EndScene() override;
  HRESULT STDMETHODCALLTYPE Clear(DWORD count, const D3DRECT* rects, DWORD flags, D3DCOLOR colour,
                                  float z, DWORD stencil) override;
  HRESULT STDMETHODCALLTYPE DrawPrimitive(D3DPRIMITIVETYPE type, UINT startVertex,
                                          UINT primitiveCount) override;

  // State (device_state.cpp)
  HRESULT STDMETHODCALLTYPE SetTransform(D3DTRANSFORMSTATETYPE state,
                                         const D3DMATRIX* matrix) override;
  HRESULT STDMETHODCALLTYPE GetTransform(D3DTRANSFORMSTATETYPE state, D3DMATRIX* matrix) override;
  HRESULT STDMETHODCALLTYPE SetViewport(const D3DVIEWPORT8* viewport) override;
  HRESULT STDMETHODCALLTYPE GetViewport(D3DVIEWPORT8* viewport) override;
  HRESULT STDMETHODCALLTYPE SetMaterial(const D3DMATERIAL8* material) override;
  HRESULT STDMETHODCALLTYPE GetMaterial(D3DMATERIAL8* material) override;
  HRESULT STDMETHODCALLTYPE SetLight(DWORD index, const D3DLIGHT8* light) override;
  HRESULT STDMETHODCALLTYPE GetLight(DWORD index, D3DLIGHT8* light) override;
  HRESULT STDMETHODCALLTYPE LightEnable(DWORD index, BOOL enable) override;
  HRESULT STDMETHODCALLTYPE GetLightEnable(DWORD index, BOOL* enable) override;
  HRESULT STDMETHODCALLTYPE SetRenderState(D3DRENDERSTATETYPE state, DWORD value) override;
  HRESULT STDMETHODCALLTYPE GetRenderState(D3DRENDERSTATETYPE state, DWORD* value) override;
  HRESULT STDMETHODCALLTYPE GetTexture(DWORD stage, IDirect3DBaseTexture8** texture) override;
  HRESULT STDMETHODCALLTYPE SetTexture(DWORD stage, IDirect3DBaseTexture8* texture) override;
  HRESULT STDMETHODCALLTYPE GetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type,
                                                 DWORD* value) override;
  HRESULT STDMETHODCALLTYPE SetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type,
                                                 DWORD value) override;
  HRESULT STDMETHODCALLTYPE SetVertexShader(DWORD handle) override;
  HRESULT STDMETHODCALLTYPE GetVertexShader(DWORD* handle) override;
  HRESULT STDMETHODCALLTYPE SetStreamSource(UINT stream, IDirect3DVertexBuffer8* buffer,
                                            UINT stride) override;

  // For benchmarks that time the pipeline's stages apart on what this device would draw.
  DrawInputs DrawInputsGet();

 private:
  Device(IDirect3D8* direct3d, HWND window, const D3DPRESENT_PARAMETERS& parameters,
         UINT refreshRate);
  ~Device() override;

  // Points the render target at the first back buffer and the depth buffer, afresh.
  void TargetBuild();
  // The matrix SetTransform and GetTransform name, or null for an unknown state.
  D3DMATRIX* TransformSlot(D3DTRANSFORMSTATETYPE state);
  // Moves the back buffers one place forward, the first becoming the last: a flip.
  void BackBuffersFlip();

  IDirect3D8* direct3d_;
  HWND window_;
  D3DPRESENT_PARAMETERS parameters_;
  RefreshClock refreshClock_;
  UINT refreshesPerPresent_;

  std::vector<std::unique_ptr<BackBufferSurface>> backBuffers_;
  std::vector<uint32_t> depthBuffer_;  // empty without an automatic depth buffer
  RenderTarget target_;
  PipelineScratch scratch_;

  PipelineState state_;
  D3DMATRIX extraWorlds_[255];  // D3DTS_WORLDMATRIX(1..255), kept for GetTransform
  D3DMATRIX textureTransforms_[TextureStageCount];
  Texture* textures_[TextureStageCount] = {};  // bound, so kept alive by the device
  VertexBuffer* stream_ = nullptr;             // likewise
  UINT streamStride_ = 0;
  bool inScene_ = false;
};

}  // namespace d3d8sw

#endif
