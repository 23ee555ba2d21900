// A device that draws nothing: it records every call with its arguments, named as the code
// names them, keeps the state it is left in, and answers D3D_OK.
#ifndef VELKOR_TESTS_DOUBLES_RECORDING_DEVICE_H
#define VELKOR_TESTS_DOUBLES_RECORDING_DEVICE_H

#include <functional>
#include <map>
#include <string>

#include "device/direct3d.h"
#include "doubles/recording_double.h"

class RecordingDevice : public RecordingDouble<IDirect3DDevice8> {
 public:
  // Every matrix SetTransform received, in order, and the latest one per state.
  std::vector<D3DMATRIX> transforms;
  std::map<DWORD, D3DMATRIX> transformByState;
  // The state the calls left, by name: renderStates["D3DRS_CULLMODE"] == "D3DCULL_CW",
  // stageStates[0]["D3DTSS_MINFILTER"] == "D3DTEXF_LINEAR", vertexShader == "D3DFVF_XYZ | ...".
  std::map<std::string, std::string> renderStates;
  std::map<DWORD, std::map<std::string, std::string>> stageStates;
  std::string vertexShader;
  std::map<DWORD, D3DLIGHT8> lights;
  std::map<DWORD, BOOL> lightsEnabled;
  D3DMATERIAL8 material = {};
  // Pointers are logged as "ptr"; these keep which object a call named.
  IDirect3DVertexBuffer8* streamSource = nullptr;
  std::map<DWORD, IDirect3DBaseTexture8*> textures;
  // Runs after each Present is recorded, e.g. to feed input to a running message loop.
  std::function<void()> afterPresent;
  // What the Create methods hand out, and their results.
  IDirect3DTexture8* textureToCreate = nullptr;
  HRESULT createTextureResult = D3D_OK;
  IDirect3DVertexBuffer8* vertexBufferToCreate = nullptr;
  HRESULT createVertexBufferResult = D3D_OK;

  HRESULT STDMETHODCALLTYPE GetDirect3D(IDirect3D8** ppD3D8) override;
  HRESULT STDMETHODCALLTYPE Present(const RECT* pSourceRect, const RECT* pDestRect,
                                    HWND hDestWindowOverride, const RGNDATA* pDirtyRegion) override;
  HRESULT STDMETHODCALLTYPE GetBackBuffer(UINT BackBuffer, D3DBACKBUFFER_TYPE Type,
                                          IDirect3DSurface8** ppBackBuffer) override;
  HRESULT STDMETHODCALLTYPE CreateTexture(UINT Width, UINT Height, UINT Levels, DWORD Usage,
                                          D3DFORMAT Format, D3DPOOL Pool,
                                          IDirect3DTexture8** ppTexture) override;
  HRESULT STDMETHODCALLTYPE CreateVertexBuffer(UINT Length, DWORD Usage, DWORD FVF, D3DPOOL Pool,
                                               IDirect3DVertexBuffer8** ppVertexBuffer) override;
  HRESULT STDMETHODCALLTYPE BeginScene() override;
  HRESULT STDMETHODCALLTYPE EndScene() override;
  HRESULT STDMETHODCALLTYPE Clear(DWORD Count, const D3DRECT* pRects, DWORD Flags, D3DCOLOR Color,
                                  float Z, DWORD Stencil) override;
  HRESULT STDMETHODCALLTYPE SetTransform(D3DTRANSFORMSTATETYPE State,
                                         const D3DMATRIX* pMatrix) override;
  HRESULT STDMETHODCALLTYPE GetTransform(D3DTRANSFORMSTATETYPE State, D3DMATRIX* pMatrix) override;
  HRESULT STDMETHODCALLTYPE SetViewport(const D3DVIEWPORT8* pViewport) override;
  HRESULT STDMETHODCALLTYPE GetViewport(D3DVIEWPORT8* pViewport) override;
  HRESULT STDMETHODCALLTYPE SetMaterial(const D3DMATERIAL8* pMaterial) override;
  HRESULT STDMETHODCALLTYPE GetMaterial(D3DMATERIAL8* pMaterial) override;
  HRESULT STDMETHODCALLTYPE SetLight(DWORD Index, const D3DLIGHT8* pLight) override;
  HRESULT STDMETHODCALLTYPE GetLight(DWORD Index, D3DLIGHT8* pLight) override;
  HRESULT STDMETHODCALLTYPE LightEnable(DWORD Index, BOOL Enable) override;
  HRESULT STDMETHODCALLTYPE GetLightEnable(DWORD Index, BOOL* pEnable) override;
  HRESULT STDMETHODCALLTYPE SetRenderState(D3DRENDERSTATETYPE State, DWORD Value) override;
  HRESULT STDMETHODCALLTYPE GetRenderState(D3DRENDERSTATETYPE State, DWORD* pValue) override;
  HRESULT STDMETHODCALLTYPE GetTexture(DWORD Stage, IDirect3DBaseTexture8** ppTexture) override;
  HRESULT STDMETHODCALLTYPE SetTexture(DWORD Stage, IDirect3DBaseTexture8* pTexture) override;
  HRESULT STDMETHODCALLTYPE GetTextureStageState(DWORD Stage, D3DTEXTURESTAGESTATETYPE Type,
                                                 DWORD* pValue) override;
  HRESULT STDMETHODCALLTYPE SetTextureStageState(DWORD Stage, D3DTEXTURESTAGESTATETYPE Type,
                                                 DWORD Value) override;
  HRESULT STDMETHODCALLTYPE DrawPrimitive(D3DPRIMITIVETYPE PrimitiveType, UINT StartVertex,
                                          UINT PrimitiveCount) override;
  HRESULT STDMETHODCALLTYPE SetVertexShader(DWORD Handle) override;
  HRESULT STDMETHODCALLTYPE GetVertexShader(DWORD* pHandle) override;
  HRESULT STDMETHODCALLTYPE SetStreamSource(UINT StreamNumber, IDirect3DVertexBuffer8* pStreamData,
                                            UINT Stride) override;

#ifdef _WIN32
#include "doubles/device8_windows_methods.inc"
#endif
};

#endif
