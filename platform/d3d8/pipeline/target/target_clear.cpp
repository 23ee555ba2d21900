#include "platform/d3d8/pipeline/target/target_clear.h"

#include <algorithm>
#include <cstring>

#include "platform/d3d8/pipeline/formats.h"

namespace d3d8sw {

namespace {

RECT TargetRect(const RenderTarget& target) {
  return {0, 0, static_cast<LONG>(target.width), static_cast<LONG>(target.height)};
}

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

void TileFill(const RenderTarget& target, const Plane& plane, UINT column, UINT row) {
  const int x0 = static_cast<int>(column) * TileSize;
  const int y0 = static_cast<int>(row) * TileSize;
  RectFill(plane, x0, y0, std::min(x0 + TileSize, static_cast<int>(target.width)),
           std::min(y0 + TileSize, static_cast<int>(target.height)), plane.tiles.value);
}

void PlaneClearAll(PlaneTiles& tiles, uint32_t value) {
  const bool sameValue = value == tiles.value;
  for (TileState& state : tiles.states) {
    if (state == TileState::Written || !sameValue) state = TileState::Pending;
  }
  tiles.value = value;
}

void PlaneClearRect(const RenderTarget& target, const Plane& plane, const D3DRECT& rect,
                    uint32_t value) {
  const int x0 = std::max<int>(rect.x1, 0);
  const int y0 = std::max<int>(rect.y1, 0);
  const int x1 = std::min<int>(rect.x2, static_cast<int>(target.width));
  const int y1 = std::min<int>(rect.y2, static_cast<int>(target.height));
  if (x0 >= x1 || y0 >= y1) return;
  const UINT columns = target.tiles.columns;
  for (int ty = y0 >> TileShift; ty <= (y1 - 1) >> TileShift; ++ty) {
    for (int tx = x0 >> TileShift; tx <= (x1 - 1) >> TileShift; ++tx) {
      TileState& state = plane.tiles.states[ty * columns + tx];
      if (state == TileState::Pending) TileFill(target, plane, tx, ty);
      state = TileState::Written;
    }
  }
  RectFill(plane, x0, y0, x1, y1, value);
}

void PlanePrepareSpan(const RenderTarget& target, const Plane& plane, int y, int x0, int x1) {
  PlaneChanged(plane, x0, y, x1 + 1, y + 1);
  TileState* row = plane.tiles.states.data() + (y >> TileShift) * target.tiles.columns;
  for (int tx = x0 >> TileShift; tx <= x1 >> TileShift; ++tx) {
    if (row[tx] == TileState::Written) continue;
    if (row[tx] == TileState::Pending) TileFill(target, plane, tx, y >> TileShift);
    row[tx] = TileState::Written;
  }
}

}  // namespace

Plane ColourPlane(RenderTarget& target) {
  return {reinterpret_cast<BYTE*>(target.colour), target.colourPitch, 4, target.tiles.colour,
          &target.tiles.changed};
}

Plane DepthPlane(RenderTarget& target) {
  return {static_cast<BYTE*>(target.depth), target.depthPitch,
          static_cast<int>(DepthBytesPerPixel(target.depthFormat)), target.tiles.depth, nullptr};
}

void TilesFitTarget(RenderTarget& target) {
  TargetTiles& tiles = target.tiles;
  const UINT columns = (target.width + TileSize - 1) / TileSize;
  const UINT rows = (target.height + TileSize - 1) / TileSize;
  if (tiles.columns == columns && tiles.rows == rows &&
      tiles.colour.states.size() == columns * rows) {
    return;
  }
  tiles.columns = columns;
  tiles.rows = rows;
  tiles.colour.states.assign(columns * rows, TileState::Written);
  tiles.depth.states.assign(columns * rows, TileState::Written);
  tiles.changed = TargetRect(target);
}

void TilesPrepareSpan(RenderTarget& target, bool depth, int y, int x0, int x1) {
  PlanePrepareSpan(target, ColourPlane(target), y, x0, x1);
  if (depth) PlanePrepareSpan(target, DepthPlane(target), y, x0, x1);
}

void PlaneClear(const RenderTarget& target, const Plane& plane, const D3DRECT* rects,
                DWORD rectCount, uint32_t value) {
  const bool whole = rectCount == 1 && rects[0].x1 <= 0 && rects[0].y1 <= 0 &&
                     rects[0].x2 >= static_cast<LONG>(target.width) &&
                     rects[0].y2 >= static_cast<LONG>(target.height);
  if (whole) {
    PlaneClearAll(plane.tiles, value);
    return;
  }
  for (DWORD i = 0; i < rectCount; ++i) PlaneClearRect(target, plane, rects[i], value);
}

void PlaneFinish(const RenderTarget& target, const Plane& plane, TargetAccess access) {
  if (access == TargetAccess::ReadWrite && plane.changed) *plane.changed = TargetRect(target);
  const UINT columns = target.tiles.columns;
  for (UINT ty = 0; ty < target.tiles.rows; ++ty) {
    for (UINT tx = 0; tx < columns; ++tx) {
      TileState& state = plane.tiles.states[ty * columns + tx];
      if (state == TileState::Pending) {
        TileFill(target, plane, tx, ty);
        state = TileState::Holds;
      }
      if (access == TargetAccess::ReadWrite) state = TileState::Written;
    }
  }
}

}  // namespace d3d8sw
