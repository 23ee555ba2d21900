// Direct3D 8 interfaces for hosts that are not Windows: the methods Velkor and its tests use,
// with their real names and argument types. Implemented by the software device.
#ifndef VELKOR_PLATFORM_D3D8_H
#define VELKOR_PLATFORM_D3D8_H

#include <d3d8types.h>
#include <windows.h>

#define D3D_SDK_VERSION 220

inline constexpr IID IID_IDirect3D8 = {
    0x1DD9E8DA, 0x1C77, 0x4D40, {0xB0, 0xCF, 0x98, 0xFE, 0xFD, 0xFF, 0x95, 0x12}};
inline constexpr IID IID_IDirect3DDevice8 = {
    0x7385E5DF, 0x8FE8, 0x41D5, {0x86, 0xB6, 0xD7, 0xB4, 0x85, 0x47, 0xB6, 0xCF}};
inline constexpr IID IID_IDirect3DResource8 = {
    0x1B36BB7B, 0x09B7, 0x410A, {0xB4, 0x45, 0x7D, 0x14, 0x30, 0xD7, 0xB3, 0x3F}};
inline constexpr IID IID_IDirect3DVertexBuffer8 = {
    0x8AEEEAC7, 0x05F9, 0x44D4, {0xB5, 0x91, 0x00, 0x0B, 0x0D, 0xF1, 0xCB, 0x95}};
inline constexpr IID IID_IDirect3DSurface8 = {
    0xB96EEBCA, 0xB326, 0x4EA5, {0x88, 0x2F, 0x2F, 0xF5, 0xBA, 0xE0, 0x21, 0xDD}};
inline constexpr IID IID_IDirect3DBaseTexture8 = {
    0xB4211CFA, 0x51B9, 0x4A9F, {0xAB, 0x78, 0xDB, 0x99, 0xB2, 0xBB, 0x67, 0x8E}};
inline constexpr IID IID_IDirect3DTexture8 = {
    0xE4CDD575, 0x2866, 0x4F01, {0xB1, 0x2E, 0x7E, 0xEC, 0xE1, 0xEC, 0x93, 0x58}};

struct IDirect3D8;
struct IDirect3DDevice8;

struct IDirect3DResource8 : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE GetDevice(IDirect3DDevice8** ppDevice) = 0;
  virtual D3DRESOURCETYPE STDMETHODCALLTYPE GetType() = 0;

 protected:
  ~IDirect3DResource8() = default;
};

struct IDirect3DBaseTexture8 : IDirect3DResource8 {
  virtual DWORD STDMETHODCALLTYPE GetLevelCount() = 0;

 protected:
  ~IDirect3DBaseTexture8() = default;
};

struct IDirect3DSurface8 : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE GetDevice(IDirect3DDevice8** ppDevice) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetDesc(D3DSURFACE_DESC* pDesc) = 0;
  virtual HRESULT STDMETHODCALLTYPE LockRect(D3DLOCKED_RECT* pLockedRect, const RECT* pRect,
                                             DWORD Flags) = 0;
  virtual HRESULT STDMETHODCALLTYPE UnlockRect() = 0;

 protected:
  ~IDirect3DSurface8() = default;
};

struct IDirect3DTexture8 : IDirect3DBaseTexture8 {
  virtual HRESULT STDMETHODCALLTYPE GetLevelDesc(UINT Level, D3DSURFACE_DESC* pDesc) = 0;
  virtual HRESULT STDMETHODCALLTYPE LockRect(UINT Level, D3DLOCKED_RECT* pLockedRect,
                                             const RECT* pRect, DWORD Flags) = 0;
  virtual HRESULT STDMETHODCALLTYPE UnlockRect(UINT Level) = 0;

 protected:
  ~IDirect3DTexture8() = default;
};

struct IDirect3DVertexBuffer8 : IDirect3DResource8 {
  virtual HRESULT STDMETHODCALLTYPE Lock(UINT OffsetToLock, UINT SizeToLock, BYTE** ppbData,
                                         DWORD Flags) = 0;
  virtual HRESULT STDMETHODCALLTYPE Unlock() = 0;
  virtual HRESULT STDMETHODCALLTYPE GetDesc(D3DVERTEXBUFFER_DESC* pDesc) = 0;

 protected:
  ~IDirect3DVertexBuffer8() = default;
};

struct IDirect3DDevice8 : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE GetDirect3D(IDirect3D8** ppD3D8) = 0;
  virtual HRESULT STDMETHODCALLTYPE Present(const RECT* pSourceRect, const RECT* pDestRect,
                                            HWND hDestWindowOverride,
                                            const RGNDATA* pDirtyRegion) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetBackBuffer(UINT BackBuffer, D3DBACKBUFFER_TYPE Type,
                                                  IDirect3DSurface8** ppBackBuffer) = 0;
  virtual HRESULT STDMETHODCALLTYPE CreateTexture(UINT Width, UINT Height, UINT Levels, DWORD Usage,
                                                  D3DFORMAT Format, D3DPOOL Pool,
                                                  IDirect3DTexture8** ppTexture) = 0;
  virtual HRESULT STDMETHODCALLTYPE CreateVertexBuffer(UINT Length, DWORD Usage, DWORD FVF,
                                                       D3DPOOL Pool,
                                                       IDirect3DVertexBuffer8** ppVertexBuffer) = 0;
  virtual HRESULT STDMETHODCALLTYPE BeginScene() = 0;
  virtual HRESULT STDMETHODCALLTYPE EndScene() = 0;
  virtual HRESULT STDMETHODCALLTYPE Clear(DWORD Count, const D3DRECT* pRects, DWORD Flags,
                                          D3DCOLOR Color, float Z, DWORD Stencil) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetTransform(D3DTRANSFORMSTATETYPE State,
                                                 const D3DMATRIX* pMatrix) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetTransform(D3DTRANSFORMSTATETYPE State,
                                                 D3DMATRIX* pMatrix) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetViewport(const D3DVIEWPORT8* pViewport) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetViewport(D3DVIEWPORT8* pViewport) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetMaterial(const D3DMATERIAL8* pMaterial) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetMaterial(D3DMATERIAL8* pMaterial) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetLight(DWORD Index, const D3DLIGHT8* pLight) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetLight(DWORD Index, D3DLIGHT8* pLight) = 0;
  virtual HRESULT STDMETHODCALLTYPE LightEnable(DWORD Index, BOOL Enable) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetLightEnable(DWORD Index, BOOL* pEnable) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetRenderState(D3DRENDERSTATETYPE State, DWORD Value) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetRenderState(D3DRENDERSTATETYPE State, DWORD* pValue) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetTexture(DWORD Stage, IDirect3DBaseTexture8** ppTexture) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetTexture(DWORD Stage, IDirect3DBaseTexture8* pTexture) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetTextureStageState(DWORD Stage, D3DTEXTURESTAGESTATETYPE Type,
                                                         DWORD* pValue) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetTextureStageState(DWORD Stage, D3DTEXTURESTAGESTATETYPE Type,
                                                         DWORD Value) = 0;
  virtual HRESULT STDMETHODCALLTYPE DrawPrimitive(D3DPRIMITIVETYPE PrimitiveType, UINT StartVertex,
                                                  UINT PrimitiveCount) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetVertexShader(DWORD Handle) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetVertexShader(DWORD* pHandle) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetStreamSource(UINT StreamNumber,
                                                    IDirect3DVertexBuffer8* pStreamData,
                                                    UINT Stride) = 0;

 protected:
  ~IDirect3DDevice8() = default;
};

struct IDirect3D8 : IUnknown {
  virtual UINT STDMETHODCALLTYPE GetAdapterCount() = 0;
  virtual HRESULT STDMETHODCALLTYPE GetAdapterDisplayMode(UINT Adapter, D3DDISPLAYMODE* pMode) = 0;
  virtual HRESULT STDMETHODCALLTYPE CheckDeviceFormat(UINT Adapter, D3DDEVTYPE DeviceType,
                                                      D3DFORMAT AdapterFormat, DWORD Usage,
                                                      D3DRESOURCETYPE RType,
                                                      D3DFORMAT CheckFormat) = 0;
  virtual HRESULT STDMETHODCALLTYPE CreateDevice(UINT Adapter, D3DDEVTYPE DeviceType,
                                                 HWND hFocusWindow, DWORD BehaviorFlags,
                                                 D3DPRESENT_PARAMETERS* pPresentationParameters,
                                                 IDirect3DDevice8** ppReturnedDeviceInterface) = 0;

 protected:
  ~IDirect3D8() = default;
};

extern "C" IDirect3D8* WINAPI Direct3DCreate8(UINT SDKVersion);

#endif
