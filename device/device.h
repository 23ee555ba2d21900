// The graphics device: the Direct3D object and the one device the program draws with.
#ifndef VELKOR_DEVICE_DEVICE_H
#define VELKOR_DEVICE_DEVICE_H

#include "device/direct3d.h"

// Null until the device has been created, and again after shutdown.
extern IDirect3DDevice8* Device;
extern IDirect3D8* Direct3DObject;
// The mode the device was created for: the desktop's when windowed, the requested one when
// full-screen.
extern D3DDISPLAYMODE DisplayMode;
extern D3DPRESENT_PARAMETERS PresentParams;
// The window's client area, measured once at start-up when windowed.
extern RECT ClientRect;

// Creates the Direct3D object and a device for `window`: windowed at the client size when
// fullScreen is FALSE (width, height and bitsPerPixel are then unused), else full-screen at
// the requested size and colour depth. Returns 1, or 0 after showing an error box.
BOOL DeviceStartup(HWND window, UINT width, UINT height, UINT bitsPerPixel, BOOL fullScreen);
// Releases whatever start-up created; safe after a failed start-up and when called twice.
void DeviceShutdown();

#endif
