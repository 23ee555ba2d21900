// The device's state: stored as given into the pipeline's state, read back unchanged.
#include "platform/d3d8/objects/software_device.h"
#include "platform/d3d8/objects/texture_resource.h"
#include "platform/d3d8/objects/vertex_buffer.h"
#include "platform/d3d8/pipeline/vertex/vertex_format.h"

namespace d3d8sw {

namespace {

constexpr DWORD WorldMatrixFirst = 256;
constexpr DWORD WorldMatrixLast = 511;

// The light LightEnable defines at an index SetLight never filled: white, directional, shining
// along +z.
D3DLIGHT8 DefaultLight() {
  D3DLIGHT8 light = {};
  light.Type = D3DLIGHT_DIRECTIONAL;
  light.Diffuse = {1.0f, 1.0f, 1.0f, 0.0f};
  light.Direction = {0.0f, 0.0f, 1.0f};
  return light;
}

bool LightValid(const D3DLIGHT8& light) {
  return light.Type >= D3DLIGHT_POINT && light.Type <= D3DLIGHT_DIRECTIONAL &&
         light.Range >= 0.0f && light.Attenuation0 >= 0.0f && light.Attenuation1 >= 0.0f &&
         light.Attenuation2 >= 0.0f;
}

}  // namespace

D3DMATRIX* Device::TransformSlot(D3DTRANSFORMSTATETYPE state) {
  const DWORD id = state;
  if (id == D3DTS_VIEW) return &state_.view;
  if (id == D3DTS_PROJECTION) return &state_.projection;
  if (id == D3DTS_WORLD) return &state_.world;
  if (id > WorldMatrixFirst && id <= WorldMatrixLast)
    return &extraWorlds_[id - WorldMatrixFirst - 1];
  if (id >= D3DTS_TEXTURE0 && id <= D3DTS_TEXTURE7) return &textureTransforms_[id - D3DTS_TEXTURE0];
  return nullptr;
}

HRESULT STDMETHODCALLTYPE Device::SetTransform(D3DTRANSFORMSTATETYPE state,
                                               const D3DMATRIX* matrix) {
  D3DMATRIX* slot = TransformSlot(state);
  if (!slot || !matrix) return D3DERR_INVALIDCALL;
  *slot = *matrix;
  return D3D_OK;
}

HRESULT STDMETHODCALLTYPE Device::GetTransform(D3DTRANSFORMSTATETYPE state, D3DMATRIX* matrix) {
  const D3DMATRIX* slot = TransformSlot(state);
  if (!slot || !matrix) return D3DERR_INVALIDCALL;
  *matrix = *slot;
  return D3D_OK;
}

// The viewport must lie within the render target.
HRESULT STDMETHODCALLTYPE Device::SetViewport(const D3DVIEWPORT8* viewport) {
  if (!viewport || viewport->Width == 0 || viewport->Height == 0 ||
      uint64_t{viewport->X} + viewport->Width > target_.Width() ||
      uint64_t{viewport->Y} + viewport->Height > target_.Height() ||
      !(viewport->MinZ >= 0.0f && viewport->MinZ <= 1.0f) ||
      !(viewport->MaxZ >= 0.0f && viewport->MaxZ <= 1.0f)) {
    return D3DERR_INVALIDCALL;
  }
  state_.viewport = *viewport;
  return D3D_OK;
}

HRESULT STDMETHODCALLTYPE Device::GetViewport(D3DVIEWPORT8* viewport) {
  if (!viewport) return D3DERR_INVALIDCALL;
  *viewport = state_.viewport;
  return D3D_OK;
}

HRESULT STDMETHODCALLTYPE Device::SetMaterial(const D3DMATERIAL8* material) {
  if (!material) return D3DERR_INVALIDCALL;
  state_.material = *material;
  return D3D_OK;
}

HRESULT STDMETHODCALLTYPE Device::GetMaterial(D3DMATERIAL8* material) {
  if (!material) return D3DERR_INVALIDCALL;
  *material = state_.material;
  return D3D_OK;
}

HRESULT STDMETHODCALLTYPE Device::SetLight(DWORD index, const D3DLIGHT8* light) {
  if (index >= MaxLights || !light || !LightValid(*light)) return D3DERR_INVALIDCALL;
  state_.lights[index].light = *light;
  state_.lights[index].defined = true;
  return D3D_OK;
}

HRESULT STDMETHODCALLTYPE Device::GetLight(DWORD index, D3DLIGHT8* light) {
  if (index >= MaxLights || !light || !state_.lights[index].defined) return D3DERR_INVALIDCALL;
  *light = state_.lights[index].light;
  return D3D_OK;
}

HRESULT STDMETHODCALLTYPE Device::LightEnable(DWORD index, BOOL enable) {
  if (index >= MaxLights) return D3DERR_INVALIDCALL;
  LightSlot& slot = state_.lights[index];
  if (!slot.defined) {
    slot.light = DefaultLight();
    slot.defined = true;
  }
  slot.enabled = enable != FALSE;
  return D3D_OK;
}

HRESULT STDMETHODCALLTYPE Device::GetLightEnable(DWORD index, BOOL* enable) {
  if (index >= MaxLights || !enable || !state_.lights[index].defined) return D3DERR_INVALIDCALL;
  *enable = state_.lights[index].enabled ? TRUE : FALSE;
  return D3D_OK;
}

HRESULT STDMETHODCALLTYPE Device::SetRenderState(D3DRENDERSTATETYPE state, DWORD value) {
  if (static_cast<DWORD>(state) >= RenderStateCount) return D3DERR_INVALIDCALL;
  state_.renderStates[state] = value;
  return D3D_OK;
}

HRESULT STDMETHODCALLTYPE Device::GetRenderState(D3DRENDERSTATETYPE state, DWORD* value) {
  if (static_cast<DWORD>(state) >= RenderStateCount || !value) return D3DERR_INVALIDCALL;
  *value = state_.renderStates[state];
  return D3D_OK;
}

// The device binds the texture (keeping it alive) without adding to the application's count.
HRESULT STDMETHODCALLTYPE Device::SetTexture(DWORD stage, IDirect3DBaseTexture8* texture) {
  if (stage >= TextureStageCount) return D3DERR_INVALIDCALL;
  Texture* ours = dynamic_cast<Texture*>(texture);
  if (texture && (!ours || !ours->BelongsTo(this) || !ours->Drawable())) {
    return D3DERR_INVALIDCALL;
  }
  if (ours) ours->Bind();
  if (textures_[stage]) textures_[stage]->Unbind();
  textures_[stage] = ours;
  state_.textures[stage] = ours ? &ours->Data() : nullptr;
  return D3D_OK;
}

HRESULT STDMETHODCALLTYPE Device::GetTexture(DWORD stage, IDirect3DBaseTexture8** texture) {
  if (stage >= TextureStageCount || !texture) return D3DERR_INVALIDCALL;
  *texture = textures_[stage];
  if (*texture) (*texture)->AddRef();
  return D3D_OK;
}

HRESULT STDMETHODCALLTYPE Device::SetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type,
                                                       DWORD value) {
  if (stage >= TextureStageCount || static_cast<DWORD>(type) >= StageStateCount) {
    return D3DERR_INVALIDCALL;
  }
  state_.stageStates[stage][type] = value;
  return D3D_OK;
}

HRESULT STDMETHODCALLTYPE Device::GetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type,
                                                       DWORD* value) {
  if (stage >= TextureStageCount || static_cast<DWORD>(type) >= StageStateCount || !value) {
    return D3DERR_INVALIDCALL;
  }
  *value = state_.stageStates[stage][type];
  return D3D_OK;
}

// Only flexible vertex formats: this device has no vertex shaders.
HRESULT STDMETHODCALLTYPE Device::SetVertexShader(DWORD handle) {
  if (!VertexFormatSupported(handle)) return D3DERR_INVALIDCALL;
  state_.vertexFormat = handle;
  return D3D_OK;
}

HRESULT STDMETHODCALLTYPE Device::GetVertexShader(DWORD* handle) {
  if (!handle) return D3DERR_INVALIDCALL;
  *handle = state_.vertexFormat;
  return D3D_OK;
}

// One stream, as flexible vertex formats read; binding works as for textures. Unbinding keeps
// the stride, as the real runtime does.
HRESULT STDMETHODCALLTYPE Device::SetStreamSource(UINT stream, IDirect3DVertexBuffer8* buffer,
                                                  UINT stride) {
  if (stream != 0) return D3DERR_INVALIDCALL;
  VertexBuffer* ours = dynamic_cast<VertexBuffer*>(buffer);
  if (buffer && (!ours || !ours->BelongsTo(this))) return D3DERR_INVALIDCALL;
  if (ours) {
    ours->Bind();
    streamStride_ = stride;
  }
  if (stream_) stream_->Unbind();
  stream_ = ours;
  return D3D_OK;
}

}  // namespace d3d8sw
