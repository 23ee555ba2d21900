#include "scene/scene.h"

IDirect3DVertexBuffer8* CubeVertexBuffer = nullptr;
