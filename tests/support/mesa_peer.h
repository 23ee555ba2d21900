// The program's cube scene drawn by a peer: Mesa's software rasterizer through legacy
// fixed-function OpenGL on OSMesa, so the software device's speed has a yardstick measured on
// the same machine in the same run.
#ifndef VELKOR_TESTS_SUPPORT_MESA_PEER_H
#define VELKOR_TESTS_SUPPORT_MESA_PEER_H

#include <cstdint>
#include <vector>

#include "support/program_scene.h"

// An off-screen OpenGL context of the given size with the program's scene set up in it: the
// cube's vertex table, camera, projection, point light, material, the picture as a texture
// with linear filters and four-times modulation, clockwise culling, no depth test. The
// projection is adjusted so that OpenGL samples where Direct3D 8 does (pixel centres at whole
// coordinates, depth clipped to [0, w]), so both draw the same picture.
class MesaPeer {
 public:
  MesaPeer(int width, int height, const Picture& picture);
  ~MesaPeer();
  MesaPeer(const MesaPeer&) = delete;
  MesaPeer& operator=(const MesaPeer&) = delete;

  // False when Mesa could not make the context (the reason is on standard error).
  bool Ready() const { return context_ != nullptr; }

  // Draws one frame as the program does at spin angle `angle` and waits until it is done.
  void FrameDraw(float angle);

  // What OpenGL calls the renderer, e.g. "llvmpipe (LLVM 15.0.6, 256 bits)".
  const char* Renderer() const;

  // The last frame, 0x00RRGGBB per pixel, top row first.
  std::vector<uint32_t> Pixels() const;

 private:
  void SceneSetUp(const Picture& picture);

  int width_;
  int height_;
  std::vector<uint32_t> colour_;
  void* context_ = nullptr;
};

#endif
