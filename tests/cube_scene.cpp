#include "cube_scene.h"

#include <cstring>

const CubeVertex CubeTable[36] = {
    {-5, -5, -5, 0, 0, -1, 0, 1}, {-5, 5, -5, 0, 0, -1, 0, 0},  {5, -5, -5, 0, 0, -1, 1, 1},
    {5, 5, -5, 0, 0, -1, 1, 0},   {5, -5, -5, 0, 0, -1, 1, 1},  {-5, 5, -5, 0, 0, -1, 0, 0},
    {5, -5, 5, 0, 0, 1, 0, 1},    {5, 5, 5, 0, 0, 1, 0, 0},     {-5, -5, 5, 0, 0, 1, 1, 1},
    {-5, 5, 5, 0, 0, 1, 1, 0},    {-5, -5, 5, 0, 0, 1, 1, 1},   {5, 5, 5, 0, 0, 1, 0, 0},
    {-5, -5, 5, -1, 0, 0, 0, 1},  {-5, 5, 5, -1, 0, 0, 0, 0},   {-5, -5, -5, -1, 0, 0, 1, 1},
    {-5, 5, -5, -1, 0, 0, 1, 0},  {-5, -5, -5, -1, 0, 0, 1, 1}, {-5, 5, 5, -1, 0, 0, 0, 0},
    {5, -5, -5, 1, 0, 0, 0, 1},   {5, 5, -5, 1, 0, 0, 0, 0},    {5, -5, 5, 1, 0, 0, 1, 1},
    {5, 5, 5, 1, 0, 0, 1, 0},     {5, -5, 5, 1, 0, 0, 1, 1},    {5, 5, -5, 1, 0, 0, 0, 0},
    {5, -5, -5, 0, -1, 0, 0, 1},  {5, -5, 5, 0, -1, 0, 0, 0},   {-5, -5, -5, 0, -1, 0, 1, 1},
    {-5, -5, 5, 0, -1, 0, 1, 0},  {-5, -5, -5, 0, -1, 0, 1, 1}, {5, -5, 5, 0, -1, 0, 0, 0},
    {-5, 5, -5, 0, 1, 0, 0, 1},   {-5, 5, 5, 0, 1, 0, 0, 0},    {5, 5, -5, 0, 1, 0, 1, 1},
    {5, 5, 5, 0, 1, 0, 1, 0},     {5, 5, -5, 0, 1, 0, 1, 1},    {-5, 5, 5, 0, 1, 0, 0, 0},
};

namespace {

constexpr DWORD CubeVertexFormat = D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_TEX1;
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
  if (FAILED(device->CreateVertexBuffer(sizeof CubeTable, 0, CubeVertexFormat, D3DPOOL_MANAGED,
                                        &scene.vertexBuffer)) ||
      FAILED(scene.vertexBuffer->Lock(0, 0, &data, 0)) || !TextureMake(device, texel, scene)) {
    CubeSceneRelease(scene);
    return false;
  }
  std::memcpy(data, CubeTable, sizeof CubeTable);
  scene.vertexBuffer->Unlock();

  Matrix4 view, projection;
  const Vector3 eye = {0, 0, 15}, at = {0, 0, 0}, up = {0, 1, 0};
  MatLookAtRH(view, eye, at, up);
  device->SetTransform(D3DTS_VIEW, AsD3DMatrix(view));
  MatPerspectiveRH(projection, 1.0472f, 0.75f, 1.0f, 100.0f);
  device->SetTransform(D3DTS_PROJECTION, AsD3DMatrix(projection));
  device->SetRenderState(D3DRS_ZENABLE, D3DZB_FALSE);
  device->SetRenderState(D3DRS_LIGHTING, TRUE);

  D3DLIGHT8 light = {};
  light.Type = D3DLIGHT_POINT;
  light.Diffuse = {0.7f, 0.7f, 0.7f, 0.0f};
  light.Specular = {0.9f, 0.9f, 0.0f, 0.0f};
  light.Ambient = {0.1f, 0.1f, 0.1f, 0.0f};
  light.Position = {0.0f, 0.0f, 15.0f};
  light.Range = 50.0f;
  light.Attenuation0 = 1.0f;
  device->LightEnable(0, TRUE);
  device->SetLight(0, &light);

  D3DMATERIAL8 material = {};
  material.Diffuse = {1.0f, 1.0f, 1.0f, 0.0f};
  material.Ambient = {1.0f, 1.0f, 1.0f, 0.0f};
  material.Specular = {1.0f, 1.0f, 1.0f, 0.0f};
  device->SetMaterial(&material);
  return true;
}

void CubeSceneRelease(CubeScene& scene) {
  if (scene.vertexBuffer) scene.vertexBuffer->Release();
  if (scene.texture) scene.texture->Release();
  scene = CubeScene{};
}
