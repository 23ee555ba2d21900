#include "support/program_scene.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>

namespace {

// SceneSetup ends the process with code 0 when something fails, which would pass for success.
bool SetupRunning = false;

void SetupEndedCheck() {
  if (!SetupRunning) return;
  std::fputs("SceneSetup ended the process\n", stderr);
  std::_Exit(EXIT_FAILURE);
}

}  // namespace

Picture PictureWithDetail() {
  Picture picture;
  for (UINT y = 0; y < PictureSize; ++y) {
    for (UINT x = 0; x < PictureSize; ++x) {
      picture.insert(picture.end(), {static_cast<BYTE>(x), static_cast<BYTE>(y),
                                     static_cast<BYTE>(((x / 32 + y / 32) & 1) ? 200 : 40)});
    }
  }
  return picture;
}

ProgramScene::ProgramScene(const Picture& picture, UINT clientWidth, UINT clientHeight)
    : window_(static_cast<int>(clientWidth), static_cast<int>(clientHeight)) {
  std::ofstream("mad040.raw", std::ios::binary)
      .write(reinterpret_cast<const char*>(picture.data()),
             static_cast<std::streamsize>(picture.size()));
  [[maybe_unused]] static const int guarded = std::atexit(SetupEndedCheck);
  MainWindow = window_.handle;
  SetupRunning = true;
  SceneSetup();
  SetupRunning = false;
  SpinAngle = 0.0f;
}

ProgramScene::~ProgramScene() {
  CubeVertexBuffer->Release();
  CubeTexture->Release();
  DeviceShutdown();
  CubeVertexBuffer = nullptr;
  CubeTexture = nullptr;
  MainWindow = nullptr;
  SpinAngle = 0.0f;
}
