// The pipeline's record of a render target's tiles: which still wait for a clear and which are
// known to hold one value already, so that a clear costs only what drawing has touched since;
// and the part of the colour memory written since it was last shown, so that showing it copies
// only that.
#ifndef VELKOR_PLATFORM_D3D8_TARGET_TILES_H
#define VELKOR_PLATFORM_D3D8_TARGET_TILES_H

#include <d3d8.h>

#include <cstdint>
#include <vector>

namespace d3d8sw {

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
  RECT changed = {};  // bounds the colour pixels written since PipelineChangedTake
};

}  // namespace d3d8sw

#endif
