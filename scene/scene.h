// Everything drawn: the cube's vertices and texture, and the frame that spins it.
#ifndef VELKOR_SCENE_SCENE_H
#define VELKOR_SCENE_SCENE_H

#include "device/device.h"
#include "math/vecmath.h"

// One vertex of the cube in the flexible vertex format XYZ | NORMAL | TEX1.
struct CubeVertex {
  float x, y, z;
  float nx, ny, nz;
  float tu, tv;
};
static_assert(sizeof(CubeVertex) == 32, "the vertex stride the device is given");

static_assert(sizeof(Matrix4) == sizeof(D3DMATRIX), "a Matrix4 is handed over as a D3DMATRIX");
inline const D3DMATRIX* AsD3DMatrix(const Matrix4& matrix) {
  return reinterpret_cast<const D3DMATRIX*>(&matrix);
}

// Null until the scene has been set up.
extern IDirect3DVertexBuffer8* CubeVertexBuffer;

extern float SpinAngle;       // radians, kept within one turn
extern const float SpinStep;  // radians added after each frame
extern Matrix4 WorldMatrix;   // the cube's world transform, rebuilt every frame
extern Matrix4 StepMatrix;    // each factor of the world transform in turn

// Draws one frame of the spinning cube, then advances the spin.
void FrameRender();
// Adds one step to SpinAngle, taking a whole turn off once it reaches 2 pi so that the
// step never drowns in the angle's rounding.
void SpinAdvance();

#endif
