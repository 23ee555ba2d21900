// The records the pipeline's stages pass one another, at the bottom of the device: the state a
// draw runs with, the textures it samples, and the target it draws into. Every stage includes
// this header; it includes nothing of the device's.
#ifndef VELKOR_PLATFORM_D3D8_PIPELINE_PIPELINE_STATE_H
#define VELKOR_PLATFORM_D3D8_PIPELINE_PIPELINE_STATE_H

#include <d3d8.h>

#include <cstdint>
#include <vector>

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

// A target's tiles: which still wait for a clear and which are known to hold one value already,
// so that a clear costs only what drawing has touched since; and the part of the colour memory
// written since it was last shown, so that showing it copies only that.
constexpr int TileShift = 5;  // tiles of 32 by 32 pixels
constexpr int TileSize = 1 << TileShift;

enum class TileState : uint8_t {
  Written,  // holds whatever was drawn or written
  Holds,    // every pixel holds the plane's value
  Pending,  // is to hold the plane's value before anything reads or draws it
};

// One plane (colour or depth) of a target.
struct PlaneTiles {
  std::vector<TileState> states;  // row by row, `columns` a row
  uint32_t value = 0;             // in the plane's own format
};

struct TargetTiles {
  UINT columns = 0;
  UINT rows = 0;
  PlaneTiles colour;
  PlaneTiles depth;
  RECT changed = {};  // bounds the colour pixels written since it was last taken
};

// A surface the pipeline draws into. Colour is 32-bit 0xAARRGGBB; depth, when present, is
// stored in its own format (D16: uint16_t, D24X8: low 24 bits of uint32_t, D32: uint32_t).
// Keep one RenderTarget for the life of the surfaces it names. Its memory is reached only
// through TargetMemory (target/target_memory.h), which brings the tiles up to date before it
// hands out a row: a tile may still wait for a clear.
class RenderTarget {
 public:
  RenderTarget() = default;
  RenderTarget(uint32_t* colour, INT colourPitch, UINT width, UINT height)
      : colour_(colour), colourPitch_(colourPitch), width_(width), height_(height) {}

  void DepthAttach(void* depth, INT depthPitch, D3DFORMAT depthFormat) {
    depth_ = depth;
    depthPitch_ = depthPitch;
    depthFormat_ = depthFormat;
  }

  UINT Width() const { return width_; }
  UINT Height() const { return height_; }
  bool HasColour() const { return colour_ != nullptr; }
  bool HasDepth() const { return depth_ != nullptr; }
  D3DFORMAT DepthFormat() const { return depthFormat_; }

 private:
  friend class TargetMemory;

  uint32_t* colour_ = nullptr;
  INT colourPitch_ = 0;  // bytes
  UINT width_ = 0;
  UINT height_ = 0;
  void* depth_ = nullptr;
  INT depthPitch_ = 0;  // bytes
  D3DFORMAT depthFormat_ = D3DFMT_UNKNOWN;
  TargetTiles tiles_;
};

}  // namespace d3d8sw

#endif
