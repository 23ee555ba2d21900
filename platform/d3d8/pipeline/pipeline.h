// The contract between the software device's COM objects and its drawing pipeline: the
// device keeps its state in a PipelineState and hands each draw, with the surfaces it draws
// into and the room the pipeline works in, to PipelineDraw. The entry points below live in
// pipeline.cpp; each stage has a file of its own, in the order a draw runs them: vertex_processing
// (vertex_fetch, transform, lighting), primitive_draw (assembly, clipping, viewport, culling),
// rasterizer, span_shader (interpolation, depth, texture_sampler with texel_addressing,
// texture_stages, the write), and target_clear for the clears it defers per tile. The per-pixel
// passes are written once in vector code (lane_vectors.h) and built for each processor level
// (simd_level.h).
#ifndef VELKOR_PLATFORM_D3D8_PIPELINE_H
#define VELKOR_PLATFORM_D3D8_PIPELINE_H

#include <d3d8.h>

#include <cstdint>
#include <vector>

#include "platform/d3d8/pipeline/primitive/clip_vertex.h"
#include "platform/d3d8/pipeline/target/target_tiles.h"

namespace d3d8sw {

constexpr int MaxLights = 8;
constexpr int TextureStageCount = 8;
constexpr int RenderStateCount = 256;  // indexed by D3DRENDERSTATETYPE
constexpr int StageStateCount = 29;    // indexed by D3DTEXTURESTAGESTATETYPE

// One mip level of a 32-bit (A8R8G8B8 / X8R8G8B8) texture: texels 0xAARRGGBB, rows `pitch`
// bytes apart. Each row ends in one texel more than `width`, a copy of its first, so that
// sampling reads any texel together with its neighbour to the right, wrapping at the row's end,
// as one 64-bit word.
struct TextureLevel {
  UINT width = 0;
  UINT height = 0;
  INT pitch = 0;
  std::vector<uint32_t> texels;  // pitch / 4 * height elements
};

struct TextureData {
  D3DFORMAT format = D3DFMT_A8R8G8B8;
  std::vector<TextureLevel> levels;
};

struct LightSlot {
  D3DLIGHT8 light = {};
  bool defined = false;
  bool enabled = false;
};

struct PipelineState {
  D3DMATRIX world, view, projection;  // identity by default
  D3DVIEWPORT8 viewport = {};
  DWORD renderStates[RenderStateCount] = {};
  DWORD stageStates[TextureStageCount][StageStateCount] = {};
  const TextureData* textures[TextureStageCount] = {};
  LightSlot lights[MaxLights];
  D3DMATERIAL8 material = {};
  DWORD vertexFormat = 0;  // the FVF given to SetVertexShader
};

// A surface the pipeline draws into. Colour is 32-bit 0xAARRGGBB; depth, when present, is
// stored in its own format (D16: uint16_t, D24X8: low 24 bits of uint32_t, D32: uint32_t).
struct RenderTarget {
  uint32_t* colour = nullptr;
  INT colourPitch = 0;  // bytes
  UINT width = 0;
  UINT height = 0;
  void* depth = nullptr;
  INT depthPitch = 0;  // bytes
  D3DFORMAT depthFormat = D3DFMT_UNKNOWN;
  // The pipeline's own bookkeeping of deferred clears. Keep one RenderTarget for the life of
  // the surfaces it names and leave this member to the pipeline.
  TargetTiles tiles;
};

// Memory the pipeline reuses from draw to draw, so that drawing allocates only when a draw needs
// more than every one before it did. Keep one for the life of the device.
struct PipelineScratch {
  std::vector<ClipVertex> vertices;  // the draw's vertices after vertex processing
};

// Gives every member but the viewport its documented default: identity transforms, the render
// and stage states, no textures, no lights, a zero material.
void PipelineStateReset(PipelineState& state, bool hasDepthBuffer);

// Vertices `primitiveCount` primitives of `type` read; 0 for types the pipeline does not draw.
// Wide enough that no count wraps.
uint64_t PrimitiveVertexCount(D3DPRIMITIVETYPE type, UINT primitiveCount);

// Draws `primitiveCount` primitives of `type` from `vertices` (the vertex buffer's bytes,
// `stride` apart, starting at vertex `startVertex`).
void PipelineDraw(const PipelineState& state, RenderTarget& target, PipelineScratch& scratch,
                  D3DPRIMITIVETYPE type, const BYTE* vertices, UINT stride, UINT startVertex,
                  UINT primitiveCount);

// Clears the rectangles (already clipped to the viewport by the caller) of the target. A clear
// of the whole target is deferred: see PipelineFinish.
void PipelineClear(RenderTarget& target, const D3DRECT* rects, DWORD rectCount, DWORD flags,
                   D3DCOLOR colour, float z);

enum class TargetAccess {
  Read,       // the caller only reads the memory (Present, a read-only lock)
  ReadWrite,  // the caller may change it (any other lock)
};

// Brings the target's memory up to date by writing out deferred clears. Call it before anything
// but the pipeline reads or writes the colour or depth memory.
void PipelineFinish(RenderTarget& target, TargetAccess access);

// Bounds of the colour pixels written since the last call, all of them the first time and after
// a ReadWrite access; empty (left >= right) when none was. Call it after PipelineFinish.
RECT PipelineChangedTake(RenderTarget& target);

}  // namespace d3d8sw

#endif
