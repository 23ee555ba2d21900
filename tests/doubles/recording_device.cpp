#include "doubles/recording_device.h"

#include "doubles/d3d8_names.h"

HRESULT STDMETHODCALLTYPE RecordingDevice::GetDirect3D(IDirect3D8** ppD3D8) {
  Record(CallDescription("GetDirect3D", ppD3D8));
  return D3DERR_INVALIDCALL;
}

HRESULT STDMETHODCALLTYPE RecordingDevice::Present(const RECT* pSourceRect, const RECT* pDestRect,
                                                   HWND hDestWindowOverride,
                                                   const RGNDATA* pDirtyRegion) {
  Record(CallDescription("Present", pSourceRect, pDestRect, hDestWindowOverride, pDirtyRegion));
  if (afterPresent) afterPresent();
  return D3D_OK;
}

HRESULT STDMETHODCALLTYPE RecordingDevice::GetBackBuffer(UINT BackBuffer, D3DBACKBUFFER_TYPE Type,
                                                         IDirect3DSurface8** ppBackBuffer) {
  Record(CallDescription("GetBackBuffer", BackBuffer, Type, ppBackBuffer));
  return D3DERR_INVALIDCALL;
}

HRESULT STDMETHODCALLTYPE RecordingDevice::CreateTexture(UINT Width, UINT Height, UINT Levels,
                                                         DWORD Usage, D3DFORMAT Format,
                                                         D3DPOOL Pool,
                                                         IDirect3DTexture8** ppTexture) {
  Record(CallDescription("CreateTexture", Width, Height, Levels, UsageName(Usage),
                         FormatName(Format), PoolName(Pool)));
  *ppTexture = textureToCreate;
  return createTextureResult;
}

HRESULT STDMETHODCALLTYPE RecordingDevice::CreateVertexBuffer(
    UINT Length, DWORD Usage, DWORD FVF, D3DPOOL Pool, IDirect3DVertexBuffer8** ppVertexBuffer) {
  Record(CallDescription("CreateVertexBuffer", Length, UsageName(Usage), FvfName(FVF),
                         PoolName(Pool)));
  *ppVertexBuffer = vertexBufferToCreate;
  return createVertexBufferResult;
}

HRESULT STDMETHODCALLTYPE RecordingDevice::BeginScene() {
  Record(CallDescription("BeginScene"));
  return D3D_OK;
}

HRESULT STDMETHODCALLTYPE RecordingDevice::EndScene() {
  Record(CallDescription("EndScene"));
  return D3D_OK;
}

HRESULT STDMETHODCALLTYPE RecordingDevice::Clear(DWORD Count, const D3DRECT* pRects, DWORD Flags,
                                                 D3DCOLOR Color, float Z, DWORD Stencil) {
  Record(CallDescription("Clear", Count, pRects, ClearFlagsName(Flags), ColourName(Color), Z,
                         Stencil));
  return D3D_OK;
}

HRESULT STDMETHODCALLTYPE RecordingDevice::SetTransform(D3DTRANSFORMSTATETYPE State,
                                                        const D3DMATRIX* pMatrix) {
  Record(CallDescription("SetTransform", TransformStateName(State), pMatrix));
  transforms.push_back(*pMatrix);
  transformByState[State] = *pMatrix;
  return D3D_OK;
}

HRESULT STDMETHODCALLTYPE RecordingDevice::GetTransform(D3DTRANSFORMSTATETYPE State,
                                                        D3DMATRIX* pMatrix) {
  Record(CallDescription("GetTransform", TransformStateName(State), pMatrix));
  return D3DERR_INVALIDCALL;
}

HRESULT STDMETHODCALLTYPE RecordingDevice::SetViewport(const D3DVIEWPORT8* pViewport) {
  Record(CallDescription("SetViewport", pViewport));
  return D3D_OK;
}

HRESULT STDMETHODCALLTYPE RecordingDevice::GetViewport(D3DVIEWPORT8* pViewport) {
  Record(CallDescription("GetViewport", pViewport));
  return D3DERR_INVALIDCALL;
}

HRESULT STDMETHODCALLTYPE RecordingDevice::SetMaterial(const D3DMATERIAL8* pMaterial) {
  Record(CallDescription("SetMaterial", pMaterial));
  material = *pMaterial;
  return D3D_OK;
}

HRESULT STDMETHODCALLTYPE RecordingDevice::GetMaterial(D3DMATERIAL8* pMaterial) {
  Record(CallDescription("GetMaterial", pMaterial));
  return D3DERR_INVALIDCALL;
}

HRESULT STDMETHODCALLTYPE RecordingDevice::SetLight(DWORD Index, const D3DLIGHT8* pLight) {
  Record(CallDescription("SetLight", Index, pLight));
  lights[Index] = *pLight;
  return D3D_OK;
}

HRESULT STDMETHODCALLTYPE RecordingDevice::GetLight(DWORD Index, D3DLIGHT8* pLight) {
  Record(CallDescription("GetLight", Index, pLight));
  return D3DERR_INVALIDCALL;
}

HRESULT STDMETHODCALLTYPE RecordingDevice::LightEnable(DWORD Index, BOOL Enable) {
  Record(CallDescription("LightEnable", Index, BoolName(Enable)));
  lightsEnabled[Index] = Enable;
  return D3D_OK;
}

HRESULT STDMETHODCALLTYPE RecordingDevice::GetLightEnable(DWORD Index, BOOL* pEnable) {
  Record(CallDescription("GetLightEnable", Index, pEnable));
  return D3DERR_INVALIDCALL;
}

HRESULT STDMETHODCALLTYPE RecordingDevice::SetRenderState(D3DRENDERSTATETYPE State, DWORD Value) {
  Record(CallDescription("SetRenderState", RenderStateName(State),
                         RenderStateValueName(State, Value)));
  renderStates[RenderStateName(State)] = RenderStateValueName(State, Value);
  return D3D_OK;
}

HRESULT STDMETHODCALLTYPE RecordingDevice::GetRenderState(D3DRENDERSTATETYPE State, DWORD* pValue) {
  Record(CallDescription("GetRenderState", RenderStateName(State), pValue));
  return D3DERR_INVALIDCALL;
}

HRESULT STDMETHODCALLTYPE RecordingDevice::GetTexture(DWORD Stage,
                                                      IDirect3DBaseTexture8** ppTexture) {
  Record(CallDescription("GetTexture", Stage, ppTexture));
  return D3DERR_INVALIDCALL;
}

HRESULT STDMETHODCALLTYPE RecordingDevice::SetTexture(DWORD Stage,
                                                      IDirect3DBaseTexture8* pTexture) {
  Record(CallDescription("SetTexture", Stage, pTexture));
  textures[Stage] = pTexture;
  return D3D_OK;
}

HRESULT STDMETHODCALLTYPE RecordingDevice::GetTextureStageState(DWORD Stage,
                                                                D3DTEXTURESTAGESTATETYPE Type,
                                                                DWORD* pValue) {
  Record(CallDescription("GetTextureStageState", Stage, StageStateName(Type), pValue));
  return D3DERR_INVALIDCALL;
}

HRESULT STDMETHODCALLTYPE RecordingDevice::SetTextureStageState(DWORD Stage,
                                                                D3DTEXTURESTAGESTATETYPE Type,
                                                                DWORD Value) {
  Record(CallDescription("SetTextureStageState", Stage, StageStateName(Type),
                         StageStateValueName(Type, Value)));
  stageStates[Stage][StageStateName(Type)] = StageStateValueName(Type, Value);
  return D3D_OK;
}

HRESULT STDMETHODCALLTYPE RecordingDevice::DrawPrimitive(D3DPRIMITIVETYPE PrimitiveType,
                                                         UINT StartVertex, UINT PrimitiveCount) {
  Record(CallDescription("DrawPrimitive", PrimitiveTypeName(PrimitiveType), StartVertex,
                         PrimitiveCount));
  return D3D_OK;
}

HRESULT STDMETHODCALLTYPE RecordingDevice::SetVertexShader(DWORD Handle) {
  Record(CallDescription("SetVertexShader", FvfName(Handle)));
  vertexShader = FvfName(Handle);
  return D3D_OK;
}

HRESULT STDMETHODCALLTYPE RecordingDevice::GetVertexShader(DWORD* pHandle) {
  Record(CallDescription("GetVertexShader", pHandle));
  return D3DERR_INVALIDCALL;
}

HRESULT STDMETHODCALLTYPE RecordingDevice::SetStreamSource(UINT StreamNumber,
                                                           IDirect3DVertexBuffer8* pStreamData,
                                                           UINT Stride) {
  Record(CallDescription("SetStreamSource", StreamNumber, pStreamData, Stride));
  streamSource = pStreamData;
  return D3D_OK;
}
