#include "scene/scene.h"

float SpinAngle = 0.0f;
const float SpinStep = 0.02f;
Matrix4 WorldMatrix = {};
Matrix4 StepMatrix = {};

namespace {

constexpr float CubeOffsetX = -0.5f;
constexpr float CubeOffsetY = -0.5f;
constexpr float CubeOffsetZ = -3.5f;
constexpr D3DCOLOR ClearColour = 0x00000000;
constexpr float ClearDepth = 1.0f;
constexpr UINT CubeTriangleCount = 12;
constexpr float FullTurn = 6.28318548f;  // 2 pi rounded to float

}  // namespace

void SpinAdvance() {
  SpinAngle = SpinAngle + SpinStep;
  if (SpinAngle >= FullTurn) SpinAngle = SpinAngle - FullTurn;
}

void FrameRender() {
  Device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, ClearColour, ClearDepth, 0);
  Device->BeginScene();

  // Turned about X, then Y, then Z, then moved: Rx * Ry * Rz * T with row vectors.
  MatRotationX(WorldMatrix, SpinAngle);
  MatRotationY(StepMatrix, SpinAngle);
  MatMultiply(WorldMatrix, WorldMatrix, StepMatrix);
  MatRotationZ(StepMatrix, SpinAngle);
  MatMultiply(WorldMatrix, WorldMatrix, StepMatrix);
  MatTranslation(StepMatrix, CubeOffsetX, CubeOffsetY, CubeOffsetZ);
  MatMultiply(WorldMatrix, WorldMatrix, StepMatrix);
  Device->SetTransform(D3DTS_WORLD, AsD3DMatrix(WorldMatrix));

  Device->SetStreamSource(0, CubeVertexBuffer, sizeof(CubeVertex));
  Device->DrawPrimitive(D3DPT_TRIANGLELIST, 0, CubeTriangleCount);
  Device->EndScene();
  Device->Present(nullptr, nullptr, nullptr, nullptr);
  SpinAdvance();
}
