#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "device/device.h"
#include "doubles/d3d8_names.h"
#include "doubles/recording_device.h"
#include "doubles/scripted_direct3d.h"
#include "support/test_window.h"

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

namespace {

// The depth probe's question about `format` on the desktop's X8R8G8B8.
std::string Probe(const std::string& format) {
  return "CheckDeviceFormat(0, D3DDEVTYPE_HAL, D3DFMT_X8R8G8B8, D3DUSAGE_DEPTHSTENCIL, "
         "D3DRTYPE_SURFACE, " +
         format + ")";
}

class DeviceStartupTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Direct3DToCreate = &direct3d;
    Direct3DCreateVersions.clear();
    direct3d.deviceToCreate = &device;
  }
  void TearDown() override {
    DeviceShutdown();
    Direct3DToCreate = nullptr;
  }

  // Runs a windowed start-up and returns its result, keeping what it wrote on stderr.
  BOOL WindowedStartupCaptured() { return StartupCaptured(FALSE, 640, 480, 32); }
  BOOL StartupCaptured(BOOL fullScreen, UINT width, UINT height, UINT bits) {
    ::testing::internal::CaptureStderr();
    const BOOL result = DeviceStartup(window, width, height, bits, fullScreen);
    errors = ::testing::internal::GetCapturedStderr();
    return result;
  }

  CallLog DepthProbes() const {
    CallLog probes;
    for (const std::string& call : direct3d.calls) {
      if (call.rfind("CheckDeviceFormat", 0) == 0) probes.push_back(call);
    }
    return probes;
  }
  CallLog DeviceCreations() const {
    CallLog creations;
    for (const std::string& call : direct3d.calls) {
      if (call.rfind("CreateDevice", 0) == 0) creations.push_back(call);
    }
    return creations;
  }

  ScriptedDirect3D direct3d;
  RecordingDevice device;
  // Windowed start-up asks this for its client size; no window stands behind it.
  HWND window = nullptr;
  std::string errors;
};

TEST_F(DeviceStartupTest, TheFirstAcceptedDepthFormatEndsTheProbe) {
  ASSERT_EQ(WindowedStartupCaptured(), 1);
  EXPECT_THAT(DepthProbes(), ElementsAre(Probe("D3DFMT_D32")));
  EXPECT_EQ(direct3d.presentParams.AutoDepthStencilFormat, D3DFMT_D32);
  EXPECT_EQ(direct3d.presentParams.EnableAutoDepthStencil, TRUE);
  EXPECT_THAT(errors, IsEmpty());
  EXPECT_THAT(Direct3DCreateVersions, ElementsAre(220u));
  EXPECT_EQ(Device, &device);
  EXPECT_EQ(Direct3DObject, &direct3d);
}

TEST_F(DeviceStartupTest, OnlySixteenBitDepthIsFoundAfterTwoRefusals) {
  direct3d.acceptedDepthFormats = {D3DFMT_D16};
  ASSERT_EQ(WindowedStartupCaptured(), 1);
  EXPECT_THAT(DepthProbes(),
              ElementsAre(Probe("D3DFMT_D32"), Probe("D3DFMT_D24X8"), Probe("D3DFMT_D16")));
  EXPECT_EQ(direct3d.presentParams.AutoDepthStencilFormat, D3DFMT_D16);
  EXPECT_EQ(direct3d.presentParams.EnableAutoDepthStencil, TRUE);
}

TEST_F(DeviceStartupTest, NoDepthFormatStillGivesADeviceWithoutDepthBuffer) {
  direct3d.acceptedDepthFormats = {};
  ASSERT_EQ(WindowedStartupCaptured(), 1);
  EXPECT_EQ(DepthProbes().size(), 3u);
  EXPECT_EQ(direct3d.presentParams.EnableAutoDepthStencil, FALSE);
  EXPECT_EQ(direct3d.presentParams.AutoDepthStencilFormat, D3DFMT_UNKNOWN);
  EXPECT_THAT(errors, IsEmpty());
}

TEST_F(DeviceStartupTest, SoftwareVertexProcessingIsTheFallback) {
  direct3d.hardwareCreateResult = D3DERR_NOTAVAILABLE;
  ASSERT_EQ(WindowedStartupCaptured(), 1);
  EXPECT_THAT(DeviceCreations(), ElementsAre("CreateDevice(0, D3DDEVTYPE_HAL, null, "
                                             "D3DCREATE_HARDWARE_VERTEXPROCESSING, ptr, ptr)",
                                             "CreateDevice(0, D3DDEVTYPE_HAL, null, "
                                             "D3DCREATE_SOFTWARE_VERTEXPROCESSING, ptr, ptr)"));
  EXPECT_THAT(errors, IsEmpty());
}

TEST_F(DeviceStartupTest, EachFailureShowsItsOwnMessage) {
  struct Case {
    const char* message;
    void (*script)(ScriptedDirect3D&);
  };
  const Case cases[] = {
      {"Unable to create a Direct3D interface",
       [](ScriptedDirect3D&) { Direct3DToCreate = nullptr; }},
      {"Unable to get the current display mode",
       [](ScriptedDirect3D& d) { d.displayModeResult = D3DERR_NOTAVAILABLE; }},
      {"Unable to create a Direct3D device",
       [](ScriptedDirect3D& d) {
         d.hardwareCreateResult = D3DERR_NOTAVAILABLE;
         d.softwareCreateResult = D3DERR_INVALIDCALL;
       }},
      {"Device pointer is NULL", [](ScriptedDirect3D& d) { d.deviceToCreate = nullptr; }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    ScriptedDirect3D scripted;
    scripted.deviceToCreate = &device;
    Direct3DToCreate = &scripted;
    c.script(scripted);
    EXPECT_EQ(StartupCaptured(FALSE, 640, 480, 32), 0);
    EXPECT_THAT(errors, HasSubstr(std::string("Error: ") + c.message));
    DeviceShutdown();
  }
}

TEST_F(DeviceStartupTest, WindowedParametersComeFromTheDesktopAndTheClientArea) {
  // The program's 640 by 480 window, framed.
  const TestWindow framed(640, 480, WS_OVERLAPPEDWINDOW);
  window = framed.handle;
  ASSERT_NE(window, nullptr);
  direct3d.displayMode = {1280, 1024, 75, D3DFMT_X8R8G8B8};

  ASSERT_EQ(WindowedStartupCaptured(), 1);
  const D3DPRESENT_PARAMETERS& p = direct3d.presentParams;
  EXPECT_EQ(p.BackBufferWidth, 624u);
  EXPECT_EQ(p.BackBufferHeight, 441u);
  EXPECT_EQ(p.BackBufferFormat, D3DFMT_X8R8G8B8);
  EXPECT_EQ(p.BackBufferCount, 1u);
  EXPECT_EQ(p.MultiSampleType, D3DMULTISAMPLE_NONE);
  EXPECT_EQ(p.SwapEffect, D3DSWAPEFFECT_COPY_VSYNC);
  EXPECT_EQ(p.hDeviceWindow, window);
  EXPECT_EQ(p.Windowed, TRUE);
  EXPECT_EQ(p.Flags, 0u);
  EXPECT_EQ(p.FullScreen_RefreshRateInHz, 0u);
  EXPECT_EQ(p.FullScreen_PresentationInterval, 0u);
  EXPECT_EQ(DisplayMode.Width, 1280u);
  EXPECT_EQ(DisplayMode.RefreshRate, 75u);
}

TEST_F(DeviceStartupTest, FullScreenUsesTheRequestedModeWithoutAskingTheDesktop) {
  struct Case {
    UINT bits;
    D3DFORMAT format;
  };
  const Case cases[] = {{15, D3DFMT_X1R5G5B5}, {16, D3DFMT_R5G6B5}, {24, D3DFMT_X8R8G8B8},
                        {32, D3DFMT_A8R8G8B8}, {8, D3DFMT_UNKNOWN}, {12, D3DFMT_UNKNOWN}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bits);
    ScriptedDirect3D scripted;
    scripted.deviceToCreate = &device;
    Direct3DToCreate = &scripted;
    ASSERT_EQ(StartupCaptured(TRUE, 800, 600, c.bits), 1);
    const D3DPRESENT_PARAMETERS& p = scripted.presentParams;
    EXPECT_EQ(p.BackBufferWidth, 800u);
    EXPECT_EQ(p.BackBufferHeight, 600u);
    EXPECT_EQ(p.BackBufferFormat, c.format);
    EXPECT_EQ(p.Windowed, FALSE);
    EXPECT_EQ(DisplayMode.RefreshRate, 0u);
    // The format goes to the depth probe unchanged, 0 included.
    EXPECT_EQ(scripted.calls.front(), "CheckDeviceFormat(0, D3DDEVTYPE_HAL, " +
                                          FormatName(c.format) +
                                          ", D3DUSAGE_DEPTHSTENCIL, D3DRTYPE_SURFACE, D3DFMT_D32)");
    device.references = 1;
    DeviceShutdown();
  }
}

TEST_F(DeviceStartupTest, ShutdownReleasesWhatExistsOnce) {
  direct3d.hardwareCreateResult = direct3d.softwareCreateResult = D3DERR_NOTAVAILABLE;
  ASSERT_EQ(StartupCaptured(FALSE, 640, 480, 32), 0);
  DeviceShutdown();
  EXPECT_EQ(direct3d.references, 0u);
  EXPECT_THAT(device.calls, IsEmpty());
  EXPECT_EQ(Direct3DObject, nullptr);
  EXPECT_EQ(Device, nullptr);

  DeviceShutdown();
  EXPECT_EQ(direct3d.references, 0u);
  // COM is balanced: a fresh initialisation is the first one again.
  EXPECT_EQ(CoInitialize(nullptr), S_OK);
  CoUninitialize();
}

TEST_F(DeviceStartupTest, ShutdownAfterSuccessReleasesBoth) {
  ASSERT_EQ(WindowedStartupCaptured(), 1);
  DeviceShutdown();
  EXPECT_THAT(device.calls, ElementsAre("Release()"));
  EXPECT_EQ(direct3d.references, 0u);
  EXPECT_EQ(Device, nullptr);
  EXPECT_EQ(Direct3DObject, nullptr);
}

}  // namespace
