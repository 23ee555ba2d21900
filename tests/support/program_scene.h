// The program's own scene for the rendering tests and the frame benchmark: SceneSetup, run as
// the program runs it, with a test window in MainWindow and a picture of the caller's as the
// image file, in a scratch folder.
#ifndef VELKOR_TESTS_SUPPORT_PROGRAM_SCENE_H
#define VELKOR_TESTS_SUPPORT_PROGRAM_SCENE_H

#include <vector>

#include "scene/scene.h"
#include "support/test_window.h"
#include "support/working_directory.h"

// The client area of the program's window.
constexpr UINT ProgramClientWidth = 624;
constexpr UINT ProgramClientHeight = 441;

// The frames of one whole turn of the cube: 2 pi / 0.02, rounded up.
constexpr int FramesPerTurn = 315;

// The picture as the image file holds it: 256 by 256 pixels of red, green and blue bytes, top
// row first.
constexpr UINT PictureSize = 256;
using Picture = std::vector<BYTE>;

// A picture with detail everywhere, like the program's photograph: red and green ramps and a
// checkerboard of blue.
Picture PictureWithDetail();

class ProgramScene {
 public:
  // Sets the scene up in a window of the given client size; a set-up that ends the process
  // makes it end with a failure code.
  explicit ProgramScene(const Picture& picture, UINT clientWidth = ProgramClientWidth,
                        UINT clientHeight = ProgramClientHeight);
  // Releases what the program releases when its loop ends.
  ~ProgramScene();
  ProgramScene(const ProgramScene&) = delete;
  ProgramScene& operator=(const ProgramScene&) = delete;

 private:
  ScratchWorkingDirectory folder_;
  TestWindow window_;
};

#endif
