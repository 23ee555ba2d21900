#include "platform/d3d8/pipeline/target/target_memory.h"

#include <algorithm>
#include <cstring>

#include "platform/d3d8/pipeline/formats.h"

namespace d3d8sw {

// One plane of a target, colour or depth: its memory, the record of its tiles, and for colour
// the bounds of what was written since it was last shown; with the target's size and tiles.
struct TargetMemory::Plane {
  BYTE* memory;
  int pitch;
  int bytesPerPixel;
  PlaneTiles& tiles;
  RECT* changed;  // null for depth
  int width, height;
  UINT columns, rows;  // of tiles
};

namespace {

using Plane = TargetMemory::Plane;

RECT PlaneRect(const Plane& plane) { return {0, 0, plane.width, plane.height}; }

// Grows the plane's changed bounds, when it keeps them, to take in x0..x1 - 1, y0..y1 - 1.
void PlaneChanged(const Plane& plane, int x0, int y0, int x1, int y1) {
  if (plane.changed == nullptr) return;
  RECT& changed = *plane.changed;
  if (changed.left >= changed.right) {
    changed = {x0, y0, x1, y1};
    return;
  }
  changed = {std::min<LONG>(changed.left, x0), std::min<LONG>(changed.top, y0),
             std::max<LONG>(changed.right, x1), std::max<LONG>(changed.bottom, y1)};
}

void RectFill(const Plane& plane, int x0, int y0, int x1, int y1, uint32_t value) {
  if (x0 >= x1) return;
  PlaneChanged(plane, x0, y0, x1, y1);
  for (int y = y0; y < y1; ++y) {
    BYTE* row = plane.memory + static_cast<ptrdiff_t>(y) * plane.pitch;
    if (plane.bytesPerPixel == 2) {
      std::fill(reinterpret_cast<uint16_t*>(row) + x0, reinterpret_cast<uint16_t*>(row) + x1,
                static_cast<uint16_t>(value));
    } else {
      std::fill(reinterpret_cast<uint32_t*>(row) + x0, reinterpret_cast<uint32_t*>(row) + x1,
                value);
    }
  }
}

void TileFill(const Plane& plane, UINT column, UINT row) {
  const int x0 = static_cast<int>(column) * TileSize;
  const int y0 = static_cast<int>(row) * TileSize;
  RectFill(plane, x0, y0, std::min(x0 + TileSize, plane.width),
           std::min(y0 + TileSize, plane.height), plane.tiles.value);
}

void PlaneClearAll(PlaneTiles& tiles, uint32_t value) {
  const bool sameValue = value == tiles.value;
  for (TileState& state : tiles.states) {
    if (state == TileState::Written || !sameValue) state = TileState::Pending;
  }
  tiles.value = value;
}

void PlaneClearRect(const Plane& plane, const D3DRECT& rect, uint32_t value) {
  const int x0 = std::max<int>(rect.x1, 0);
  const int y0 = std::max<int>(rect.y1, 0);
  const int x1 = std::min<int>(rect.x2, plane.width);
  const int y1 = std::min<int>(rect.y2, plane.height);
  if (x0 >= x1 || y0 >= y1) return;
  for (int ty = y0 >> TileShift; ty <= (y1 - 1) >> TileShift; ++ty) {
    for (int tx = x0 >> TileShift; tx <= (x1 - 1) >> TileShift; ++tx) {
      TileState& state = plane.tiles.states[ty * plane.columns + tx];
      if (state == TileState::Pending) TileFill(plane, tx, ty);
      state = TileState::Written;
    }
  }
  RectFill(plane, x0, y0, x1, y1, value);
}

void PlaneClear(const Plane& plane, const D3DRECT* rects, DWORD rectCount, uint32_t value) {
  const bool whole = rectCount == 1 && rects[0].x1 <= 0 && rects[0].y1 <= 0 &&
                     rects[0].x2 >= plane.width && rects[0].y2 >= plane.height;
  if (whole) {
    PlaneClearAll(plane.tiles, value);
    return;
  }
  for (DWORD i = 0; i < rectCount; ++i) PlaneClearRect(plane, rects[i], value);
}

void PlanePrepareSpan(const Plane& plane, int y, int x0, int x1) {
  PlaneChanged(plane, x0, y, x1 + 1, y + 1);
  TileState* row = plane.tiles.states.data() + (y >> TileShift) * plane.columns;
  for (int tx = x0 >> TileShift; tx <= x1 >> TileShift; ++tx) {
    if (row[tx] == TileState::Written) continue;
    if (row[tx] == TileState::Pending) TileFill(plane, tx, y >> TileShift);
    row[tx] = TileState::Written;
  }
}

void PlaneFinish(const Plane& plane, TargetAccess access) {
  if (access == TargetAccess::ReadWrite && plane.changed) *plane.changed = PlaneRect(plane);
  for (UINT ty = 0; ty < plane.rows; ++ty) {
    for (UINT tx = 0; tx < plane.columns; ++tx) {
      TileState& state = plane.tiles.states[ty * plane.columns + tx];
      if (state == TileState::Pending) {
        TileFill(plane, tx, ty);
        state = TileState::Holds;
      }
      if (access == TargetAccess::ReadWrite) state = TileState::Written;
    }
  }
}

}  // namespace

TargetMemory::TargetMemory(RenderTarget& target) : target_(target) {
  TargetTiles& tiles = target.tiles_;
  const UINT columns = (target.width_ + TileSize - 1) / TileSize;
  const UINT rows = (target.height_ + TileSize - 1) / TileSize;
  if (tiles.columns == columns && tiles.rows == rows &&
      tiles.colour.states.size() == columns * rows) {
    return;
  }
  tiles.columns = columns;
  tiles.rows = rows;
  tiles.colour.states.assign(columns * rows, TileState::Written);
  tiles.depth.states.assign(columns * rows, TileState::Written);
  tiles.changed = {0, 0, static_cast<LONG>(target.width_), static_cast<LONG>(target.height_)};
}

TargetMemory::Plane TargetMemory::ColourPlane() {
  TargetTiles& tiles = target_.tiles_;
  return {reinterpret_cast<BYTE*>(target_.colour_),
          target_.colourPitch_,
          4,
          tiles.colour,
          &tiles.changed,
          static_cast<int>(target_.width_),
          static_cast<int>(target_.height_),
          tiles.columns,
          tiles.rows};
}

TargetMemory::Plane TargetMemory::DepthPlane() {
  TargetTiles& tiles = target_.tiles_;
  return {static_cast<BYTE*>(target_.depth_),
          target_.depthPitch_,
          static_cast<int>(DepthBytesPerPixel(target_.depthFormat_)),
          tiles.depth,
          nullptr,
          static_cast<int>(target_.width_),
          static_cast<int>(target_.height_),
          tiles.columns,
          tiles.rows};
}

void TargetMemory::SpanPrepare(int y, int x0, int x1, bool depth) {
  PlanePrepareSpan(ColourPlane(), y, x0, x1);
  if (depth) PlanePrepareSpan(DepthPlane(), y, x0, x1);
}

void TargetMemory::Clear(const D3DRECT* rects, DWORD rectCount, DWORD flags, D3DCOLOR colour,
                         uint32_t depth) {
  if ((flags & D3DCLEAR_TARGET) && target_.HasColour()) {
    PlaneClear(ColourPlane(), rects, rectCount, colour);
  }
  if ((flags & D3DCLEAR_ZBUFFER) && target_.HasDepth()) {
    PlaneClear(DepthPlane(), rects, rectCount, depth);
  }
}

void TargetMemory::Finish(TargetAccess access) {
  if (target_.HasColour()) PlaneFinish(ColourPlane(), access);
  if (target_.HasDepth()) PlaneFinish(DepthPlane(), access);
}

RECT TargetMemory::ChangedTake() {
  const RECT changed = target_.tiles_.changed;
  target_.tiles_.changed = {};
  return changed;
}

}  // namespace d3d8sw
