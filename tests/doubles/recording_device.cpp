#include "doubles/recording_device.h"

#include <cstdio>

void RecordingDevice::Record(std::string call) {
  if (echo) std::fprintf(stderr, "%s\n", call.c_str());
  calls.push_back(std::move(call));
}

HRESULT STDMETHODCALLTYPE RecordingDevice::QueryInterface(REFIID, void**) { return E_NOINTERFACE; }

ULONG STDMETHODCALLTYPE RecordingDevice::AddRef() {
  Record(DescribeCall("AddRef"));
  return ++references;
}

ULONG STDMETHODCALLTYPE RecordingDevice::Release() {
  Record(DescribeCall("Release"));
  return --references;
}

HRESULT STDMETHODCALLTYPE RecordingDevice::GetDirect3D(IDirect3D8** ppD3D8) {
  Record(DescribeCall("GetDirect3D", ppD3D8));
  return D3DERR_INVALIDCALL;
}

HRESULT STDMETHODCALLTYPE RecordingDevice::Present(const RECT* pSourceRect, const RECT* pDestRect,
                                                   HWND hDestWindowOverride,
                                                   const RGNDATA* pDirtyRegion) {
  Record(DescribeCall("Present", pSourceRect, pDestRect, hDestWindowOverride, pDirtyRegion));
  if (afterPresent) afterPresent();
  return D3D_OK;
}

HRESULT STDMETHODCALLTYPE RecordingDevice::GetBackBuffer(UINT BackBuffer, D3DBACKBUFFER_TYPE Type,
                                                         IDirect3DSurface8** ppBackBuffer) {
  Record(DescribeCall("GetBackBuffer", BackBuffer, Type, ppBackBuffer));
  return D3DERR_INVALIDCALL;
}

HRESULT STDMETHODCALLTYPE RecordingDevice::CreateTexture(UINT Width, UINT Height, UINT Levels,
                                                         DWORD Usage, D3DFORMAT Format,
                                                         D3DPOOL Pool,
                                                         IDirect3DTexture8** ppTexture) {
  Record(DescribeCall("CreateTexture", Width, Height, Levels, Usage, Format, Pool));
  *ppTexture = textureToCreate;
  return createTextureResult;
}

HRESULT STDMETHODCALLTYPE RecordingDevice::CreateVertexBuffer(
    UINT Length, DWORD Usage, DWORD FVF, D3DPOOL Pool, IDirect3DVertexBuffer8** ppVertexBuffer) {
  Record(DescribeCall("CreateVertexBuffer", Length, Usage, FVF, Pool));
  *ppVertexBuffer = vertexBufferToCreate;
  return createVertexBufferResult;
}

HRESULT STDMETHODCALLTYPE RecordingDevice::BeginScene() {
  Record(DescribeCall("BeginScene"));
  return D3D_OK;
}

HRESULT STDMETHODCALLTYPE RecordingDevice::EndScene() {
  Record(DescribeCall("EndScene"));
  return D3D_OK;
}

HRESULT STDMETHODCALLTYPE RecordingDevice::Clear(DWORD Count, const D3DRECT* pRects, DWORD Flags,
                                                 D3DCOLOR Color, float Z, DWORD Stencil) {
  Record(DescribeCall("Clear", Count, pRects, Flags, Color, Z, Stencil));
  return D3D_OK;
}

HRESULT STDMETHODCALLTYPE RecordingDevice::SetTransform(D3DTRANSFORMSTATETYPE State,
                                                        const D3DMATRIX* pMatrix) {
  Record(DescribeCall("SetTransform", State, pMatrix));
  transforms.push_back(*pMatrix);
  transformByState[State] = *pMatrix;
  return D3D_OK;
}

HRESULT STDMETHODCALLTYPE RecordingDevice::GetTransform(D3DTRANSFORMSTATETYPE State,
                                                        D3DMATRIX* pMatrix) {
  Record(DescribeCall("GetTransform", State, pMatrix));
  return D3DERR_INVALIDCALL;
}

HRESULT STDMETHODCALLTYPE RecordingDevice::SetViewport(const D3DVIEWPORT8* pViewport) {
  Record(DescribeCall("SetViewport", pViewport));
  return D3D_OK;
}

HRESULT STDMETHODCALLTYPE RecordingDevice::GetViewport(D3DVIEWPORT8* pViewport) {
  Record(DescribeCall("GetViewport", pViewport));
  return D3DERR_INVALIDCALL;
}

HRESULT STDMETHODCALLTYPE RecordingDevice::SetMaterial(const D3DMATERIAL8* pMaterial) {
  Record(DescribeCall("SetMaterial", pMaterial));
  return D3D_OK;
}

HRESULT STDMETHODCALLTYPE RecordingDevice::GetMaterial(D3DMATERIAL8* pMaterial) {
  Record(DescribeCall("GetMaterial", pMaterial));
  return D3DERR_INVALIDCALL;
}

HRESULT STDMETHODCALLTYPE RecordingDevice::SetLight(DWORD Index, const D3DLIGHT8* pLight) {
  Record(DescribeCall("SetLight", Index, pLight));
  return D3D_OK;
}

HRESULT STDMETHODCALLTYPE RecordingDevice::GetLight(DWORD Index, D3DLIGHT8* pLight) {
  Record(DescribeCall("GetLight", Index, pLight));
  return D3DERR_INVALIDCALL;
}

HRESULT STDMETHODCALLTYPE RecordingDevice::LightEnable(DWORD Index, BOOL Enable) {
  Record(DescribeCall("LightEnable", Index, Enable));
  return D3D_OK;
}

HRESULT STDMETHODCALLTYPE RecordingDevice::GetLightEnable(DWORD Index, BOOL* pEnable) {
  Record(DescribeCall("GetLightEnable", Index, pEnable));
  return D3DERR_INVALIDCALL;
}

HRESULT STDMETHODCALLTYPE RecordingDevice::SetRenderState(D3DRENDERSTATETYPE State, DWORD Value) {
  Record(DescribeCall("SetRenderState", State, Value));
  return D3D_OK;
}

HRESULT STDMETHODCALLTYPE RecordingDevice::GetRenderState(D3DRENDERSTATETYPE State, DWORD* pValue) {
  Record(DescribeCall("GetRenderState", State, pValue));
  return D3DERR_INVALIDCALL;
}

HRESULT STDMETHODCALLTYPE RecordingDevice::GetTexture(DWORD Stage,
                                                      IDirect3DBaseTexture8** ppTexture) {
  Record(DescribeCall("GetTexture", Stage, ppTexture));
  return D3DERR_INVALIDCALL;
}

HRESULT STDMETHODCALLTYPE RecordingDevice::SetTexture(DWORD Stage,
                                                      IDirect3DBaseTexture8* pTexture) {
  Record(DescribeCall("SetTexture", Stage, pTexture));
  texture = pTexture;
  return D3D_OK;
}

HRESULT STDMETHODCALLTYPE RecordingDevice::GetTextureStageState(DWORD Stage,
                                                                D3DTEXTURESTAGESTATETYPE Type,
                                                                DWORD* pValue) {
  Record(DescribeCall("GetTextureStageState", Stage, Type, pValue));
  return D3DERR_INVALIDCALL;
}

HRESULT STDMETHODCALLTYPE RecordingDevice::SetTextureStageState(DWORD Stage,
                                                                D3DTEXTURESTAGESTATETYPE Type,
                                                                DWORD Value) {
  Record(DescribeCall("SetTextureStageState", Stage, Type, Value));
  return D3D_OK;
}

HRESULT STDMETHODCALLTYPE RecordingDevice::DrawPrimitive(D3DPRIMITIVETYPE PrimitiveType,
                                                         UINT StartVertex, UINT PrimitiveCount) {
  Record(DescribeCall("DrawPrimitive", PrimitiveType, StartVertex, PrimitiveCount));
  return D3D_OK;
}

HRESULT STDMETHODCALLTYPE RecordingDevice::SetVertexShader(DWORD Handle) {
  Record(DescribeCall("SetVertexShader", Handle));
  return D3D_OK;
}

HRESULT STDMETHODCALLTYPE RecordingDevice::GetVertexShader(DWORD* pHandle) {
  Record(DescribeCall("GetVertexShader", pHandle));
  return D3DERR_INVALIDCALL;
}

HRESULT STDMETHODCALLTYPE RecordingDevice::SetStreamSource(UINT StreamNumber,
                                                           IDirect3DVertexBuffer8* pStreamData,
                                                           UINT Stride) {
  Record(DescribeCall("SetStreamSource", StreamNumber, pStreamData, Stride));
  streamSource = pStreamData;
  return D3D_OK;
}
