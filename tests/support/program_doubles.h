// The program's Direct3D 8 as test doubles: a scripted Direct3D object that hands out a
// recording device, which hands out a vertex buffer and a texture of plain memory; and a grey
// picture as the image file, in a scratch folder of the test's own.
#ifndef VELKOR_TESTS_SUPPORT_PROGRAM_DOUBLES_H
#define VELKOR_TESTS_SUPPORT_PROGRAM_DOUBLES_H

#include <fstream>
#include <string>

#include "doubles/memory_texture.h"
#include "doubles/memory_vertex_buffer.h"
#include "doubles/recording_device.h"
#include "doubles/scripted_direct3d.h"
#include "scene/scene.h"
#include "support/working_directory.h"

struct ProgramDoubles {
  ProgramDoubles() {
    std::ofstream("mad040.raw", std::ios::binary) << std::string(256 * 256 * 3, '\x40');
    Direct3DToCreate = &direct3d;
    direct3d.deviceToCreate = &device;
    device.vertexBufferToCreate = &vertexBuffer;
    device.textureToCreate = &texture;
  }
  ~ProgramDoubles() { Direct3DToCreate = nullptr; }
  ProgramDoubles(const ProgramDoubles&) = delete;
  ProgramDoubles& operator=(const ProgramDoubles&) = delete;

  ScratchWorkingDirectory folder;
  ScriptedDirect3D direct3d;
  RecordingDevice device;
  MemoryVertexBuffer vertexBuffer{sizeof(CubeVertex) * CubeVertexCount};
  MemoryTexture texture{256, 256, 1024, 0};
};

#endif
