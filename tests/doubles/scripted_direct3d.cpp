#include "doubles/scripted_direct3d.h"

#include "doubles/d3d8_names.h"

ScriptedDirect3D* Direct3DToCreate = nullptr;
std::vector<UINT> Direct3DCreateVersions;

extern "C" IDirect3D8* WINAPI Direct3DCreate8(UINT SDKVersion) {
  Direct3DCreateVersions.push_back(SDKVersion);
  return Direct3DToCreate;
}

UINT STDMETHODCALLTYPE ScriptedDirect3D::GetAdapterCount() {
  Record(CallDescription("GetAdapterCount"));
  return 1;
}

HRESULT STDMETHODCALLTYPE ScriptedDirect3D::GetAdapterDisplayMode(UINT Adapter,
                                                                  D3DDISPLAYMODE* pMode) {
  Record(CallDescription("GetAdapterDisplayMode", Adapter, pMode));
  if (SUCCEEDED(displayModeResult)) *pMode = displayMode;
  return displayModeResult;
}

HRESULT STDMETHODCALLTYPE ScriptedDirect3D::CheckDeviceFormat(UINT Adapter, D3DDEVTYPE DeviceType,
                                                              D3DFORMAT AdapterFormat, DWORD Usage,
                                                              D3DRESOURCETYPE RType,
                                                              D3DFORMAT CheckFormat) {
  Record(CallDescription("CheckDeviceFormat", Adapter, DeviceTypeName(DeviceType),
                         FormatName(AdapterFormat), UsageName(Usage), ResourceTypeName(RType),
                         FormatName(CheckFormat)));
  return acceptedDepthFormats.count(CheckFormat) != 0 ? D3D_OK : D3DERR_NOTAVAILABLE;
}

HRESULT STDMETHODCALLTYPE ScriptedDirect3D::CreateDevice(
    UINT Adapter, D3DDEVTYPE DeviceType, HWND hFocusWindow, DWORD BehaviorFlags,
    D3DPRESENT_PARAMETERS* pPresentationParameters, IDirect3DDevice8** ppReturnedDeviceInterface) {
  Record(CallDescription("CreateDevice", Adapter, DeviceTypeName(DeviceType), hFocusWindow,
                         BehaviorFlagsName(BehaviorFlags), pPresentationParameters,
                         ppReturnedDeviceInterface));
  presentParams = *pPresentationParameters;
  const HRESULT result = BehaviorFlags == D3DCREATE_HARDWARE_VERTEXPROCESSING
                             ? hardwareCreateResult
                             : softwareCreateResult;
  if (SUCCEEDED(result)) *ppReturnedDeviceInterface = deviceToCreate;
  return result;
}
