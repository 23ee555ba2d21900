#include <cstring>

#include "scene/scene.h"

IDirect3DVertexBuffer8* CubeVertexBuffer = nullptr;
Matrix4 ViewMatrix = {};
Matrix4 ProjectionMatrix = {};
BYTE* CubeVertexData = nullptr;

// Six faces of two triangles, each counter-clockwise seen from outside along its normal, each
// showing the whole texture once.
const CubeVertex CubeVertices[CubeVertexCount] = {
    // z = -5
    {-5, -5, -5, 0, 0, -1, 0, 1},
    {-5, 5, -5, 0, 0, -1, 0, 0},
    {5, -5, -5, 0, 0, -1, 1, 1},
    {5, 5, -5, 0, 0, -1, 1, 0},
    {5, -5, -5, 0, 0, -1, 1, 1},
    {-5, 5, -5, 0, 0, -1, 0, 0},
    // z = +5
    {5, -5, 5, 0, 0, 1, 0, 1},
    {5, 5, 5, 0, 0, 1, 0, 0},
    {-5, -5, 5, 0, 0, 1, 1, 1},
    {-5, 5, 5, 0, 0, 1, 1, 0},
    {-5, -5, 5, 0, 0, 1, 1, 1},
    {5, 5, 5, 0, 0, 1, 0, 0},
    // x = -5
    {-5, -5, 5, -1, 0, 0, 0, 1},
    {-5, 5, 5, -1, 0, 0, 0, 0},
    {-5, -5, -5, -1, 0, 0, 1, 1},
    {-5, 5, -5, -1, 0, 0, 1, 0},
    {-5, -5, -5, -1, 0, 0, 1, 1},
    {-5, 5, 5, -1, 0, 0, 0, 0},
    // x = +5
    {5, -5, -5, 1, 0, 0, 0, 1},
    {5, 5, -5, 1, 0, 0, 0, 0},
    {5, -5, 5, 1, 0, 0, 1, 1},
    {5, 5, 5, 1, 0, 0, 1, 0},
    {5, -5, 5, 1, 0, 0, 1, 1},
    {5, 5, -5, 1, 0, 0, 0, 0},
    // y = -5
    {5, -5, -5, 0, -1, 0, 0, 1},
    {5, -5, 5, 0, -1, 0, 0, 0},
    {-5, -5, -5, 0, -1, 0, 1, 1},
    {-5, -5, 5, 0, -1, 0, 1, 0},
    {-5, -5, -5, 0, -1, 0, 1, 1},
    {5, -5, 5, 0, -1, 0, 0, 0},
    // y = +5
    {-5, 5, -5, 0, 1, 0, 0, 1},
    {-5, 5, 5, 0, 1, 0, 0, 0},
    {5, 5, -5, 0, 1, 0, 1, 1},
    {5, 5, 5, 0, 1, 0, 1, 0},
    {5, 5, -5, 0, 1, 0, 1, 1},
    {-5, 5, 5, 0, 1, 0, 0, 0},
};

// A white point light in front of the cube, on the camera's axis. Its specular colour has no
// blue, though specular lighting is never switched on.
const D3DLIGHT8 SceneLight = {
    D3DLIGHT_POINT,
    {0.7f, 0.7f, 0.7f, 0.0f},  // diffuse
    {0.9f, 0.9f, 0.0f, 0.0f},  // specular
    {0.1f, 0.1f, 0.1f, 0.0f},  // ambient
    {0.0f, 0.0f, 15.0f},       // position
    {0.0f, 0.0f, 0.0f},        // direction
    50.0f,                     // range
    0.0f,                      // falloff
    1.0f,                      // constant attenuation
    0.0f,
    0.0f,
    0.0f,  // theta
    0.0f,  // phi
};

const D3DMATERIAL8 SceneMaterial = {
    {1.0f, 1.0f, 1.0f, 0.0f},  // diffuse
    {1.0f, 1.0f, 1.0f, 0.0f},  // ambient
    {1.0f, 1.0f, 1.0f, 0.0f},  // specular
    {0.0f, 0.0f, 0.0f, 0.0f},  // emissive
    0.0f,                      // power
};

const Vector3 CameraEye = {0.0f, 0.0f, 15.0f};
const Vector3 CameraTarget = {0.0f, 0.0f, 0.0f};
const Vector3 CameraUp = {0.0f, 1.0f, 0.0f};
const float ProjectionAngle = 1.0472f;
const float ProjectionAspect = 0.75f;  // height over width of a 640 by 480 window
const float ProjectionNear = 1.0f;
const float ProjectionFar = 100.0f;

namespace {

constexpr char ErrorCaption[] = "Error";
constexpr UINT ColourDepth = 32;

[[noreturn]] void SceneFailure(const char* message) {
  MessageBoxA(nullptr, message, ErrorCaption, MB_OK);
  ExitProcess(0);
}

void VertexBufferFill() {
  CubeVertexData = nullptr;
  // Copying through a failed lock would write through a null or stale pointer.
  if (FAILED(CubeVertexBuffer->Lock(0, 0, &CubeVertexData, 0)) || CubeVertexData == nullptr) {
    SceneFailure("Failed to lock vertex buffer");
  }
  std::memcpy(CubeVertexData, CubeVertices, sizeof(CubeVertices));
  CubeVertexBuffer->Unlock();
}

}  // namespace

void SceneSetup() {
  if (!DeviceStartup(MainWindow, MainWindowWidth, MainWindowHeight, ColourDepth, FALSE)) {
    ExitProcess(0);
  }

  Device->SetRenderState(D3DRS_CULLMODE, D3DCULL_CW);
  Device->SetVertexShader(CubeVertexFormat);
  Device->CreateVertexBuffer(sizeof(CubeVertices), 0, CubeVertexFormat, D3DPOOL_MANAGED,
                             &CubeVertexBuffer);
  // The pointer, not the result, says whether there is a buffer.
  if (CubeVertexBuffer == nullptr) SceneFailure("Failed to create vertex buffer");
  VertexBufferFill();

  if (TextureLoad() == nullptr) ExitProcess(0);

  MatLookAtRH(ViewMatrix, CameraEye, CameraTarget, CameraUp);
  Device->SetTransform(D3DTS_VIEW, AsD3DMatrix(ViewMatrix));
  MatPerspectiveRH(ProjectionMatrix, ProjectionAngle, ProjectionAspect, ProjectionNear,
                   ProjectionFar);
  Device->SetTransform(D3DTS_PROJECTION, AsD3DMatrix(ProjectionMatrix));

  // The closed cube needs no depth test: culling alone hides its far faces.
  Device->SetRenderState(D3DRS_ZENABLE, D3DZB_FALSE);
  Device->SetRenderState(D3DRS_LIGHTING, TRUE);
  Device->LightEnable(0, TRUE);
  Device->SetLight(0, &SceneLight);
  Device->SetMaterial(&SceneMaterial);
}
