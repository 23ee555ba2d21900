// The one door to the platform's Direct3D 8: mingw-w64's headers on Windows, the stand-in's
// headers elsewhere. The records cross into the platform as they are, so their sizes are pinned.
#ifndef VELKOR_DEVICE_DIRECT3D_H
#define VELKOR_DEVICE_DIRECT3D_H

#include <windows.h>
#include <d3d8.h>

static_assert(sizeof(D3DMATRIX) == 64, "D3DMATRIX is sixteen floats");
static_assert(sizeof(D3DDISPLAYMODE) == 16, "D3DDISPLAYMODE is four 32-bit fields");
static_assert(sizeof(D3DLIGHT8) == 104, "D3DLIGHT8 layout");
static_assert(sizeof(D3DMATERIAL8) == 68, "D3DMATERIAL8 layout");
static_assert(sizeof(RECT) == 16, "RECT is four signed 32-bit fields");
static_assert(sizeof(DWORD) == 4 && sizeof(UINT) == 4 && sizeof(LONG) == 4 &&
                  sizeof(HRESULT) == 4 && sizeof(BOOL) == 4,
              "Windows widths on every host");
#if defined(_WIN32) && !defined(_WIN64)
static_assert(sizeof(WNDCLASSEXA) == 48, "WNDCLASSEXA on 32-bit Windows");
static_assert(sizeof(D3DPRESENT_PARAMETERS) == 52, "thirteen 32-bit fields");
static_assert(sizeof(D3DLOCKED_RECT) == 8, "Pitch, then the bits pointer");
static_assert(sizeof(MSG) == 28, "MSG on 32-bit Windows");
#endif

#endif
