// The program's cube scene for the rendering tests and the frame benchmark: the device calls
// the program's scene set-up makes, with the program's own table, light and material, but on
// a device and with a texture of the caller's choosing.
#ifndef VELKOR_TESTS_CUBE_SCENE_H
#define VELKOR_TESTS_CUBE_SCENE_H

#include "scene/scene.h"

struct CubeScene {
  IDirect3DVertexBuffer8* vertexBuffer = nullptr;
  IDirect3DTexture8* texture = nullptr;
};

// Sets up the scene on `device` as the program does: clockwise culling, the cube's vertex
// buffer, a 256 by 256 texture whose texel (x, y) is `texel(x, y)` with linear filters and
// four-times modulation, camera, projection, no depth test, one point light and the material.
// False when a resource cannot be made (nothing is left behind).
bool CubeSceneSetUp(IDirect3DDevice8* device, D3DCOLOR (*texel)(UINT x, UINT y), CubeScene& scene);

void CubeSceneRelease(CubeScene& scene);

#endif
