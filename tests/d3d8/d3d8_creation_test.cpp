// The Direct3D object and device creation: what is refused with which code, what creation fills
// in, and how references hold the objects together.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "device/direct3d.h"
#include "support/death_tests.h"
#include "support/program_restart.h"
#include "support/test_window.h"

namespace {

ULONG ReferenceCount(IUnknown* object) {
  object->AddRef();
  return object->Release();
}

class DeviceCreationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    direct3d = Direct3DCreate8(D3D_SDK_VERSION);
    ASSERT_NE(direct3d, nullptr);
    ASSERT_EQ(direct3d->GetAdapterDisplayMode(D3DADAPTER_DEFAULT, &mode), D3D_OK);
    parameters.BackBufferWidth = 40;
    parameters.BackBufferHeight = 30;
    parameters.BackBufferFormat = mode.Format;
    parameters.BackBufferCount = 1;
    parameters.SwapEffect = D3DSWAPEFFECT_COPY;
    parameters.hDeviceWindow = window.handle;
    parameters.Windowed = TRUE;
    parameters.Flags = D3DPRESENTFLAG_LOCKABLE_BACKBUFFER;
  }

  void TearDown() override {
    if (device) device->Release();
    if (direct3d) direct3d->Release();
  }

  HRESULT Create(HWND focusWindow, DWORD behavior = D3DCREATE_SOFTWARE_VERTEXPROCESSING,
                 D3DDEVTYPE type = D3DDEVTYPE_HAL) {
    return direct3d->CreateDevice(D3DADAPTER_DEFAULT, type, focusWindow, behavior, &parameters,
                                  &device);
  }

  // A change to valid parameters that makes them invalid.
  struct Refusal {
    const char* what;
    void (*spoil)(D3DPRESENT_PARAMETERS&);
  };

  // Each refusal's parameters are refused and make no device; one that does make a device is
  // released, so it cannot pass for the next one's.
  template <size_t Count>
  void RefusalsExpect(const Refusal (&refusals)[Count]) {
    const D3DPRESENT_PARAMETERS valid = parameters;
    for (const Refusal& refusal : refusals) {
      SCOPED_TRACE(refusal.what);
      parameters = valid;
      refusal.spoil(parameters);
      EXPECT_EQ(Create(window.handle), D3DERR_INVALIDCALL);
      EXPECT_EQ(device, nullptr);
      if (device) device->Release();
      device = nullptr;
    }
    parameters = valid;
  }

  TestWindow window{80, 60};
  IDirect3D8* direct3d = nullptr;
  IDirect3DDevice8* device = nullptr;
  D3DDISPLAYMODE mode = {};
  D3DPRESENT_PARAMETERS parameters = {};
};

TEST(Direct3DCreate8Test, AnswersOnlyTheVersionOfItsHeaders) {
  IDirect3D8* direct3d = Direct3DCreate8(D3D_SDK_VERSION);
  ASSERT_NE(direct3d, nullptr);
  EXPECT_EQ(direct3d->Release(), 0u);
#ifndef _WIN32
  // Any other version is the caller's error, which Windows' runtime answers as it likes (Wine's
  // with an object); ours refuses it.
  EXPECT_EQ(Direct3DCreate8(D3D_SDK_VERSION + 1), nullptr);
  EXPECT_EQ(Direct3DCreate8(0), nullptr);
#endif
}

#ifndef _WIN32
// Where no display can be opened there is no adapter to draw with. In a process of its own, where
// no display has been opened yet.
TEST(AdapterTest, WithoutADisplayThereIsNoAdapter) {
  if (const std::string missing = ProgramRestartMissing(); !missing.empty())
    GTEST_SKIP() << missing;
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        setenv("SDL_VIDEODRIVER", "no-such-driver", 1);
        IDirect3D8* direct3d = Direct3DCreate8(D3D_SDK_VERSION);
        std::exit(direct3d && direct3d->GetAdapterCount() == 0 ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "^No display available: ");
}
#endif

TEST_F(DeviceCreationTest, TheDisplayModeIsTheDesktopsThirtyTwoBitMode) {
  EXPECT_EQ(mode.Format, D3DFMT_X8R8G8B8);
  EXPECT_GT(mode.Width, 0u);
  EXPECT_GT(mode.Height, 0u);
  EXPECT_GE(direct3d->GetAdapterCount(), 1u);
  EXPECT_EQ(direct3d->GetAdapterDisplayMode(direct3d->GetAdapterCount(), &mode),
            D3DERR_INVALIDCALL);
#ifndef _WIN32
  // No place for the mode is the caller's error: Wine's runtime writes through the null pointer.
  EXPECT_EQ(direct3d->GetAdapterDisplayMode(D3DADAPTER_DEFAULT, nullptr), D3DERR_INVALIDCALL);
#endif
}

// Which depth formats exist is the adapter's choice; what it says of them must hold.
TEST_F(DeviceCreationTest, DepthFormatsMakeDevicesExactlyWhenTheAdapterAcceptsThem) {
  int accepted = 0;
  for (D3DFORMAT depth : {D3DFMT_D16, D3DFMT_D24X8, D3DFMT_D32}) {
    SCOPED_TRACE(testing::Message() << "depth format " << depth);
    const HRESULT answer =
        direct3d->CheckDeviceFormat(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, mode.Format,
                                    D3DUSAGE_DEPTHSTENCIL, D3DRTYPE_SURFACE, depth);
    ASSERT_TRUE(answer == D3D_OK || answer == D3DERR_NOTAVAILABLE) << answer;
    accepted += answer == D3D_OK;
    parameters.EnableAutoDepthStencil = TRUE;
    parameters.AutoDepthStencilFormat = depth;
    EXPECT_EQ(SUCCEEDED(Create(window.handle)), answer == D3D_OK);
    EXPECT_EQ(device != nullptr, answer == D3D_OK);
    if (device) device->Release();
    device = nullptr;
  }
  // The program finds one of its three on any 32-bit display.
  EXPECT_GT(accepted, 0);
  // A colour format is no depth buffer, and a format with alpha is no display's format (Wine's
  // d3d8 device test test_check_device_format shows Windows refusing it as the adapter's).
  EXPECT_EQ(direct3d->CheckDeviceFormat(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, D3DFMT_X8R8G8B8,
                                        D3DUSAGE_DEPTHSTENCIL, D3DRTYPE_SURFACE, D3DFMT_A8R8G8B8),
            D3DERR_NOTAVAILABLE);
  EXPECT_EQ(direct3d->CheckDeviceFormat(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, D3DFMT_A8R8G8B8,
                                        D3DUSAGE_DEPTHSTENCIL, D3DRTYPE_SURFACE, D3DFMT_D16),
            D3DERR_NOTAVAILABLE);
}

// The swap chains Wine's d3d8 device test test_swapchain_parameters shows Windows refusing,
// and a depth buffer in a format that keeps no depth.
TEST_F(DeviceCreationTest, RefusesParametersTheRuntimeRefusesAndLeavesNoDevice) {
  const Refusal refusals[] = {
      {"four back buffers", [](D3DPRESENT_PARAMETERS& p) { p.BackBufferCount = 4; }},
      {"two back buffers with COPY", [](D3DPRESENT_PARAMETERS& p) { p.BackBufferCount = 2; }},
      {"two back buffers with COPY_VSYNC",
       [](D3DPRESENT_PARAMETERS& p) {
         p.BackBufferCount = 2;
         p.SwapEffect = D3DSWAPEFFECT_COPY_VSYNC;
       }},
      {"swap effect 0", [](D3DPRESENT_PARAMETERS& p) { p.SwapEffect = D3DSWAPEFFECT(0); }},
      {"swap effect 5", [](D3DPRESENT_PARAMETERS& p) { p.SwapEffect = D3DSWAPEFFECT(5); }},
      {"a depth buffer in a colour format",
       [](D3DPRESENT_PARAMETERS& p) {
         p.EnableAutoDepthStencil = TRUE;
         p.AutoDepthStencilFormat = D3DFMT_X8R8G8B8;
       }},
  };
  RefusalsExpect(refusals);
}

#ifndef _WIN32
// Parameters the documentation rules out but Windows' runtime is not shown to refuse (Wine's
// makes a device of each): our device refuses them.
TEST_F(DeviceCreationTest, OurDeviceRefusesParametersTheDocumentationRulesOut) {
  const Refusal refusals[] = {
      {"unknown back-buffer format",
       [](D3DPRESENT_PARAMETERS& p) { p.BackBufferFormat = static_cast<D3DFORMAT>(12345); }},
      {"windowed format other than the desktop's",
       [](D3DPRESENT_PARAMETERS& p) { p.BackBufferFormat = D3DFMT_R5G6B5; }},
  };
  RefusalsExpect(refusals);
  parameters.hDeviceWindow = nullptr;
  EXPECT_EQ(Create(nullptr), D3DERR_INVALIDCALL);
  EXPECT_EQ(device, nullptr);
  parameters.hDeviceWindow = window.handle;
  EXPECT_EQ(Create(window.handle, 0), D3DERR_INVALIDCALL);
  EXPECT_EQ(device, nullptr);
  EXPECT_EQ(Create(window.handle, D3DCREATE_SOFTWARE_VERTEXPROCESSING, D3DDEVTYPE(7)),
            D3DERR_INVALIDCALL);
  EXPECT_EQ(device, nullptr);
}
#endif

TEST_F(DeviceCreationTest, TheFocusWindowStandsInForAMissingDeviceWindow) {
  parameters.hDeviceWindow = nullptr;
  EXPECT_EQ(Create(window.handle, D3DCREATE_HARDWARE_VERTEXPROCESSING), D3D_OK);
  EXPECT_NE(device, nullptr);
}

// Three back buffers, the most a chain has, are a flip chain's, each one to be had.
TEST_F(DeviceCreationTest, AFlipChainHasUpToThreeBackBuffers) {
  parameters.SwapEffect = D3DSWAPEFFECT_FLIP;
  parameters.BackBufferCount = 3;
  ASSERT_EQ(Create(window.handle), D3D_OK);
  for (UINT index = 0; index < 3; ++index) {
    IDirect3DSurface8* backBuffer = nullptr;
    EXPECT_EQ(device->GetBackBuffer(index, D3DBACKBUFFER_TYPE_MONO, &backBuffer), D3D_OK)
        << "back buffer " << index;
    if (backBuffer) backBuffer->Release();
  }
}

TEST_F(DeviceCreationTest, AWindowedBackBufferOfNoSizeTakesTheClientArea) {
  parameters.BackBufferWidth = 0;
  parameters.BackBufferHeight = 0;
  parameters.BackBufferCount = 0;
  ASSERT_EQ(Create(window.handle), D3D_OK);
  IDirect3DSurface8* backBuffer = nullptr;
  ASSERT_EQ(device->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, &backBuffer), D3D_OK);
  D3DSURFACE_DESC desc = {};
  ASSERT_EQ(backBuffer->GetDesc(&desc), D3D_OK);
  backBuffer->Release();
  EXPECT_EQ(desc.Width, 80u);
  EXPECT_EQ(desc.Height, 60u);
  EXPECT_EQ(desc.Format, mode.Format);
  EXPECT_EQ(parameters.BackBufferCount, 1u);
  EXPECT_EQ(device->GetBackBuffer(1, D3DBACKBUFFER_TYPE_MONO, &backBuffer), D3DERR_INVALIDCALL);
  EXPECT_EQ(backBuffer, nullptr);
}

TEST_F(DeviceCreationTest, TheViewportCoversTheBackBufferAndDepthIsOnWithADepthBuffer) {
  parameters.EnableAutoDepthStencil = TRUE;
  parameters.AutoDepthStencilFormat = D3DFMT_D16;
  ASSERT_EQ(Create(window.handle), D3D_OK);
  D3DVIEWPORT8 viewport = {};
  ASSERT_EQ(device->GetViewport(&viewport), D3D_OK);
  EXPECT_EQ(viewport.X, 0u);
  EXPECT_EQ(viewport.Y, 0u);
  EXPECT_EQ(viewport.Width, 40u);
  EXPECT_EQ(viewport.Height, 30u);
  EXPECT_EQ(viewport.MinZ, 0.0f);
  EXPECT_EQ(viewport.MaxZ, 1.0f);
  DWORD zEnable = 0;
  ASSERT_EQ(device->GetRenderState(D3DRS_ZENABLE, &zEnable), D3D_OK);
  EXPECT_EQ(zEnable, DWORD{D3DZB_TRUE});
}

TEST_F(DeviceCreationTest, DepthIsOffWithoutADepthBuffer) {
  ASSERT_EQ(Create(window.handle), D3D_OK);
  DWORD zEnable = 1;
  ASSERT_EQ(device->GetRenderState(D3DRS_ZENABLE, &zEnable), D3D_OK);
  EXPECT_EQ(zEnable, DWORD{D3DZB_FALSE});
}

// Full screen takes the window over at the asked size, not the window's, in the 32-bit format
// with alpha too. The display's own size is asked, so that no display changes its mode under
// the test.
TEST_F(DeviceCreationTest, FullScreenTakesTheWindowAtTheAskedSize) {
  parameters.Windowed = FALSE;
  parameters.BackBufferWidth = 0;
  EXPECT_EQ(Create(window.handle), D3DERR_INVALIDCALL);
  EXPECT_EQ(device, nullptr);
  parameters.BackBufferWidth = mode.Width;
  parameters.BackBufferHeight = mode.Height;
  parameters.BackBufferFormat = D3DFMT_A8R8G8B8;
  ASSERT_EQ(Create(window.handle), D3D_OK);
  IDirect3DSurface8* backBuffer = nullptr;
  ASSERT_EQ(device->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, &backBuffer), D3D_OK);
  D3DSURFACE_DESC description = {};
  backBuffer->GetDesc(&description);
  backBuffer->Release();
  EXPECT_EQ(description.Width, mode.Width);
  EXPECT_EQ(description.Height, mode.Height);
}

// Resources and back buffers the application holds keep the device, and the device the
// Direct3D object; binding a resource does not count.
TEST_F(DeviceCreationTest, ReferencesHoldTheObjectsTogether) {
  ASSERT_EQ(Create(window.handle), D3D_OK);
  EXPECT_EQ(ReferenceCount(device), 1u);
  EXPECT_EQ(ReferenceCount(direct3d), 2u);
  IDirect3D8* parent = nullptr;
  ASSERT_EQ(device->GetDirect3D(&parent), D3D_OK);
  EXPECT_EQ(parent, direct3d);
  EXPECT_EQ(parent->Release(), 2u);

  IDirect3DVertexBuffer8* buffer = nullptr;
  ASSERT_EQ(device->CreateVertexBuffer(96, 0, 0, D3DPOOL_MANAGED, &buffer), D3D_OK);
  EXPECT_EQ(ReferenceCount(device), 2u);
  ASSERT_EQ(device->SetStreamSource(0, buffer, 32), D3D_OK);
  EXPECT_EQ(ReferenceCount(buffer), 1u);

  IDirect3DTexture8* texture = nullptr;
  ASSERT_EQ(device->CreateTexture(4, 4, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture), D3D_OK);
  EXPECT_EQ(ReferenceCount(device), 3u);
  ASSERT_EQ(device->SetTexture(0, texture), D3D_OK);
  EXPECT_EQ(ReferenceCount(texture), 1u);

  IDirect3DSurface8* backBuffer = nullptr;
  ASSERT_EQ(device->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, &backBuffer), D3D_OK);
  EXPECT_EQ(ReferenceCount(device), 4u);
  EXPECT_EQ(backBuffer->Release(), 0u);
  EXPECT_EQ(ReferenceCount(device), 3u);

  // Released while bound: still there for the device and for GetTexture.
  EXPECT_EQ(texture->Release(), 0u);
  EXPECT_EQ(ReferenceCount(device), 2u);
  IDirect3DBaseTexture8* bound = nullptr;
  ASSERT_EQ(device->GetTexture(0, &bound), D3D_OK);
  EXPECT_EQ(bound, texture);
  EXPECT_EQ(texture->GetLevelCount(), 1u);
  EXPECT_EQ(bound->Release(), 0u);

  EXPECT_EQ(buffer->Release(), 0u);
  EXPECT_EQ(ReferenceCount(device), 1u);
  EXPECT_EQ(device->Release(), 0u);
  device = nullptr;
  EXPECT_EQ(ReferenceCount(direct3d), 1u);
}

TEST_F(DeviceCreationTest, ObjectsAnswerForTheirOwnInterfacesOnly) {
  ASSERT_EQ(Create(window.handle), D3D_OK);
  void* answer = nullptr;
  ASSERT_EQ(device->QueryInterface(IID_IDirect3DDevice8, &answer), S_OK);
  EXPECT_EQ(answer, device);
  device->Release();
  EXPECT_EQ(device->QueryInterface(IID_IDirect3D8, &answer), E_NOINTERFACE);
  EXPECT_EQ(answer, nullptr);
  ASSERT_EQ(direct3d->QueryInterface(IID_IDirect3D8, &answer), S_OK);
  EXPECT_EQ(answer, direct3d);
  direct3d->Release();
}

}  // namespace
