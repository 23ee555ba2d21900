#include "cube_scene.h"

#include <cstring>

namespace {

constexpr UINT TextureSize = 256;

bool TextureMake(IDirect3DDevice8* device, D3DCOLOR (*texel)(UINT x, UINT y), CubeScene& scene) {
  if (FAILED(device->CreateTexture(TextureSize, TextureSize, 0, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED,
                                   &scene.texture))) {
    scene.texture = nullptr;
    return false;
  }
  D3DLOCKED_RECT locked = {};
  if (FAILED(scene.texture->LockRect(0, &locked, nullptr, 0))) return false;
  for (UINT y = 0; y < TextureSize; ++y) {
    D3DCOLOR* row = reinterpret_cast<D3DCOLOR*>(static_cast<BYTE*>(locked.pBits) +
                                                static_cast<ptrdiff_t>(y) * locked.Pitch);
    for (UINT x = 0; x < TextureSize; ++x) row[x] = texel(x, y);
  }
  scene.texture->UnlockRect(0);
  device->SetTexture(0, scene.texture);
  device->SetTextureStageState(0, D3DTSS_MINFILTER, D3DTEXF_LINEAR);
  device->SetTextureStageState(0, D3DTSS_MAGFILTER, D3DTEXF_LINEAR);
  device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_MODULATE4X);
  device->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_TEXTURE);
  device->SetTextureStageState(0, D3DTSS_COLORARG2, D3DTA_CURRENT);
  return true;
}

}  // namespace

bool CubeSceneSetUp(IDirect3DDevice8* device, D3DCOLOR (*texel)(UINT x, UINT y), CubeScene& scene) {
  device->SetRenderState(D3DRS_CULLMODE, D3DCULL_CW);
  device->SetVertexShader(CubeVertexFormat);
  BYTE* data = nullptr;
  if (FAILED(device->CreateVertexBuffer(sizeof CubeVertices, 0, CubeVertexFormat, D3DPOOL_MANAGED,
                                        &scene.vertexBuffer)) ||
      FAILED(scene.vertexBuffer->Lock(0, 0, &data, 0)) || !TextureMake(device, texel, scene)) {
    CubeSceneRelease(scene);
    return false;
  }
  std::memcpy(data, CubeVertices, sizeof CubeVertices);
  scene.vertexBuffer->Unlock();

  Matrix4 view, projection;
  MatLookAtRH(view, CameraEye, CameraTarget, CameraUp);
  device->SetTransform(D3DTS_VIEW, AsD3DMatrix(view));
  MatPerspectiveRH(projection, ProjectionAngle, ProjectionAspect, ProjectionNear, ProjectionFar);
  device->SetTransform(D3DTS_PROJECTION, AsD3DMatrix(projection));
  device->SetRenderState(D3DRS_ZENABLE, D3DZB_FALSE);
  device->SetRenderState(D3DRS_LIGHTING, TRUE);

  device->LightEnable(0, TRUE);
  device->SetLight(0, &SceneLight);

  device->SetMaterial(&SceneMaterial);
  return true;
}

void CubeSceneRelease(CubeScene& scene) {
  if (scene.vertexBuffer) scene.vertexBuffer->Release();
  if (scene.texture) scene.texture->Release();
  scene = CubeScene{};
}
