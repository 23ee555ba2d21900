#include "doubles/recording_device.h"

HRESULT STDMETHODCALLTYPE RecordingDevice::QueryInterface(REFIID, void**) { return E_NOINTERFACE; }

ULONG STDMETHODCALLTYPE RecordingDevice::AddRef() {
  calls.push_back(DescribeCall("AddRef"));
  return ++references;
}

ULONG STDMETHODCALLTYPE RecordingDevice::Release() {
  calls.push_back(DescribeCall("Release"));
  return --references;
}

HRESULT STDMETHODCALLTYPE RecordingDevice::GetDirect3D(IDirect3D8** ppD3D8) {
  calls.push_back(DescribeCall("GetDirect3D", ppD3D8));
  return D3DERR_INVALIDCALL;
}

HRESULT STDMETHODCALLTYPE RecordingDevice::Present(const RECT* pSourceRect, const RECT* pDestRect,
                                                   HWND hDestWindowOverride,
                                                   const RGNDATA* pDirtyRegion) {
  calls.push_back(
      DescribeCall("Present", pSourceRect, pDestRect, hDestWindowOverride, pDirtyRegion));
  return D3D_OK;
}

HRESULT STDMETHODCALLTYPE RecordingDevice::GetBackBuffer(UINT BackBuffer, D3DBACKBUFFER_TYPE Type,
                                                         IDirect3DSurface8** ppBackBuffer) {
  calls.push_back(DescribeCall("GetBackBuffer", BackBuffer, Type, ppBackBuffer));
  return D3DERR_INVALIDCALL;
}

HRESULT STDMETHODCALLTYPE RecordingDevice::CreateTexture(UINT Width, UINT Height, UINT Levels,
                                                         DWORD Usage, D3DFORMAT Format,
                                                         D3DPOOL Pool,
                                                         IDirect3DTexture8** ppTexture) {
  calls.push_back(DescribeCall("CreateTexture", Width, Height, Levels, Usage, Format, Pool));
  *ppTexture = nullptr;
  return D3DERR_OUTOFVIDEOMEMORY;
}

HRESULT STDMETHODCALLTYPE RecordingDevice::CreateVertexBuffer(
    UINT Length, DWORD Usage, DWORD FVF, D3DPOOL Pool, IDirect3DVertexBuffer8** ppVertexBuffer) {
  calls.push_back(DescribeCall("CreateVertexBuffer", Length, Usage, FVF, Pool));
  *ppVertexBuffer = nullptr;
  return D3DERR_OUTOFVIDEOMEMORY;
}

HRESULT STDMETHODCALLTYPE RecordingDevice::BeginScene() {
  calls.push_back(DescribeCall("BeginScene"));
  return D3D_OK;
}

HRESULT STDMETHODCALLTYPE RecordingDevice::EndScene() {
  calls.push_back(DescribeCall("EndScene"));
  return D3D_OK;
}

HRESULT STDMETHODCALLTYPE RecordingDevice::Clear(DWORD Count, const D3DRECT* pRects, DWORD Flags,
                                                 D3DCOLOR Color, float Z, DWORD Stencil) {
  calls.push_back(DescribeCall("Clear", Count, pRects, Flags, Color, Z, Stencil));
  return D3D_OK;
}

HRESULT STDMETHODCALLTYPE RecordingDevice::SetTransform(D3DTRANSFORMSTATETYPE State,
                                                        const D3DMATRIX* pMatrix) {
  calls.push_back(DescribeCall("SetTransform", State, pMatrix));
  transforms.push_back(*pMatrix);
  transformByState[State] = *pMatrix;
  return D3D_OK;
}

HRESULT STDMETHODCALLTYPE RecordingDevice::GetTransform(D3DTRANSFORMSTATETYPE State,
                                                        D3DMATRIX* pMatrix) {
  calls.push_back(DescribeCall("GetTransform", State, pMatrix));
  return D3DERR_INVALIDCALL;
}

HRESULT STDMETHODCALLTYPE RecordingDevice::SetViewport(const D3DVIEWPORT8* pViewport) {
  calls.push_back(DescribeCall("SetViewport", pViewport));
  return D3D_OK;
}

HRESULT STDMETHODCALLTYPE RecordingDevice::GetViewport(D3DVIEWPORT8* pViewport) {
  calls.push_back(DescribeCall("GetViewport", pViewport));
  return D3DERR_INVALIDCALL;
}

HRESULT STDMETHODCALLTYPE RecordingDevice::SetMaterial(const D3DMATERIAL8* pMaterial) {
  calls.push_back(DescribeCall("SetMaterial", pMaterial));
  return D3D_OK;
}

HRESULT STDMETHODCALLTYPE RecordingDevice::GetMaterial(D3DMATERIAL8* pMaterial) {
  calls.push_back(DescribeCall("GetMaterial", pMaterial));
  return D3DERR_INVALIDCALL;
}

HRESULT STDMETHODCALLTYPE RecordingDevice::SetLight(DWORD Index, const D3DLIGHT8* pLight) {
  calls.push_back(DescribeCall("SetLight", Index, pLight));
  return D3D_OK;
}

HRESULT STDMETHODCALLTYPE RecordingDevice::GetLight(DWORD Index, D3DLIGHT8* pLight) {
  calls.push_back(DescribeCall("GetLight", Index, pLight));
  return D3DERR_INVALIDCALL;
}

HRESULT STDMETHODCALLTYPE RecordingDevice::LightEnable(DWORD Index, BOOL Enable) {
  calls.push_back(DescribeCall("LightEnable", Index, Enable));
  return D3D_OK;
}

HRESULT STDMETHODCALLTYPE RecordingDevice::GetLightEnable(DWORD Index, BOOL* pEnable) {
  calls.push_back(DescribeCall("GetLightEnable", Index, pEnable));
  return D3DERR_INVALIDCALL;
}

HRESULT STDMETHODCALLTYPE RecordingDevice::SetRenderState(D3DRENDERSTATETYPE State, DWORD Value) {
  calls.push_back(DescribeCall("SetRenderState", State, Value));
  return D3D_OK;
}

HRESULT STDMETHODCALLTYPE RecordingDevice::GetRenderState(D3DRENDERSTATETYPE State, DWORD* pValue) {
  calls.push_back(DescribeCall("GetRenderState", State, pValue));
  return D3DERR_INVALIDCALL;
}

HRESULT STDMETHODCALLTYPE RecordingDevice::GetTexture(DWORD Stage,
                                                      IDirect3DBaseTexture8** ppTexture) {
  calls.push_back(DescribeCall("GetTexture", Stage, ppTexture));
  return D3DERR_INVALIDCALL;
}

HRESULT STDMETHODCALLTYPE RecordingDevice::SetTexture(DWORD Stage,
                                                      IDirect3DBaseTexture8* pTexture) {
  calls.push_back(DescribeCall("SetTexture", Stage, pTexture));
  texture = pTexture;
  return D3D_OK;
}

HRESULT STDMETHODCALLTYPE RecordingDevice::GetTextureStageState(DWORD Stage,
                                                                D3DTEXTURESTAGESTATETYPE Type,
                                                                DWORD* pValue) {
  calls.push_back(DescribeCall("GetTextureStageState", Stage, Type, pValue));
  return D3DERR_INVALIDCALL;
}

HRESULT STDMETHODCALLTYPE RecordingDevice::SetTextureStageState(DWORD Stage,
                                                                D3DTEXTURESTAGESTATETYPE Type,
                                                                DWORD Value) {
  calls.push_back(DescribeCall("SetTextureStageState", Stage, Type, Value));
  return D3D_OK;
}

HRESULT STDMETHODCALLTYPE RecordingDevice::DrawPrimitive(D3DPRIMITIVETYPE PrimitiveType,
                                                         UINT StartVertex, UINT PrimitiveCount) {
  calls.push_back(DescribeCall("DrawPrimitive", PrimitiveType, StartVertex, PrimitiveCount));
  return D3D_OK;
}

HRESULT STDMETHODCALLTYPE RecordingDevice::SetVertexShader(DWORD Handle) {
  calls.push_back(DescribeCall("SetVertexShader", Handle));
  return D3D_OK;
}

HRESULT STDMETHODCALLTYPE RecordingDevice::GetVertexShader(DWORD* pHandle) {
  calls.push_back(DescribeCall("GetVertexShader", pHandle));
  return D3DERR_INVALIDCALL;
}

HRESULT STDMETHODCALLTYPE RecordingDevice::SetStreamSource(UINT StreamNumber,
                                                           IDirect3DVertexBuffer8* pStreamData,
                                                           UINT Stride) {
  calls.push_back(DescribeCall("SetStreamSource", StreamNumber, pStreamData, Stride));
  streamSource = pStreamData;
  return D3D_OK;
}
