// Clears, deferred per tile: a clear of the whole target only marks tiles; a tile is filled
// when drawing first touches it or when the target's memory is needed.
#ifndef VELKOR_PLATFORM_D3D8_TARGET_CLEAR_H
#define VELKOR_PLATFORM_D3D8_TARGET_CLEAR_H

#include "platform/d3d8/pipeline/pipeline.h"

namespace d3d8sw {

// One plane of a target, colour or depth: its memory, the record of its tiles, and for colour
// the bounds of what was written since it was last shown.
struct Plane {
  BYTE* memory;
  int pitch;
  int bytesPerPixel;
  PlaneTiles& tiles;
  RECT* changed;  // null for depth
};

Plane ColourPlane(RenderTarget& target);
Plane DepthPlane(RenderTarget& target);

// Sizes the tile records to the target; a target they did not fit is taken as holding anything.
void TilesFitTarget(RenderTarget& target);

// Readies pixels x0..x1 (inclusive) of row y of the colour plane, and of the depth plane when
// `depth`, for drawing: fills the tiles there that wait for a clear and marks them written.
void TilesPrepareSpan(RenderTarget& target, bool depth, int y, int x0, int x1);

// Clears the rectangles of the plane to `value`, in the plane's own format. A clear of the whole
// plane only marks its tiles as waiting for the value. The target's tiles must fit it.
void PlaneClear(const RenderTarget& target, const Plane& plane, const D3DRECT* rects,
                DWORD rectCount, uint32_t value);

// Fills the plane's tiles that wait for a clear; after a ReadWrite access every tile counts as
// written.
void PlaneFinish(const RenderTarget& target, const Plane& plane, TargetAccess access);

}  // namespace d3d8sw

#endif
