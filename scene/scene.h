// Everything drawn: the cube's vertices and texture, and the frame that spins it.
#ifndef VELKOR_SCENE_SCENE_H
#define VELKOR_SCENE_SCENE_H

#include "app/app.h"
#include "device/device.h"
#include "math/vecmath.h"

// One vertex of the cube in the flexible vertex format XYZ | NORMAL | TEX1.
struct CubeVertex {
  float x, y, z;
  float nx, ny, nz;
  float tu, tv;
};
static_assert(sizeof(CubeVertex) == 32, "the vertex stride the device is given");
constexpr DWORD CubeVertexFormat = D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_TEX1;
constexpr UINT CubeVertexCount = 36;

extern const CubeVertex CubeVertices[CubeVertexCount];
extern const D3DLIGHT8 SceneLight;
extern const D3DMATERIAL8 SceneMaterial;
extern const Vector3 CameraEye, CameraTarget, CameraUp;
extern const float ProjectionAngle, ProjectionAspect, ProjectionNear, ProjectionFar;

static_assert(sizeof(Matrix4) == sizeof(D3DMATRIX), "a Matrix4 is handed over as a D3DMATRIX");
inline const D3DMATRIX* AsD3DMatrix(const Matrix4& matrix) {
  return reinterpret_cast<const D3DMATRIX*>(&matrix);
}

// Null until the scene has been set up.
extern IDirect3DVertexBuffer8* CubeVertexBuffer;
extern Matrix4 ViewMatrix;
extern Matrix4 ProjectionMatrix;
// Where the vertex buffer's lock put its bytes; used only while filling it.
extern BYTE* CubeVertexData;
// Null until the texture has been loaded.
extern IDirect3DTexture8* CubeTexture;
// The texture's level 0 as its lock reported it while it was being filled.
extern D3DLOCKED_RECT CubeTextureLock;

extern float SpinAngle;       // radians, kept within one turn
extern const float SpinStep;  // radians added after each frame
extern Matrix4 WorldMatrix;   // the cube's world transform, rebuilt every frame
extern Matrix4 StepMatrix;    // each factor of the world transform in turn

// Brings up the device and everything the frame draws with, in MainWindow. Returns only when
// all of it worked; each failure ends the process after its error box.
void SceneSetup();

// Creates the cube's texture from the image file in the current directory and binds it to
// stage 0. Returns the texture, or null after showing an error box; on failure whatever was
// created is left as it is, because the caller ends the process.
IDirect3DTexture8* TextureLoad();

// Draws one frame of the spinning cube, then advances the spin.
void FrameRender();
// Adds one step to SpinAngle, taking a whole turn off once it reaches 2 pi so that the
// step never drowns in the angle's rounding.
void SpinAdvance();

#endif
