// The pipeline's one door to a target's memory. Clears are deferred per tile: a clear of the
// whole target only marks tiles, and a tile is filled when drawing first touches it or when
// something outside the pipeline needs the memory. So the stages reach the memory only through
// here, and get a row only once the tiles under their span are filled. The surfaces that own the
// memory have it filled (PipelineFinish, which calls Finish) before they show or lend it.
#ifndef VELKOR_PLATFORM_D3D8_PIPELINE_TARGET_TARGET_MEMORY_H
#define VELKOR_PLATFORM_D3D8_PIPELINE_TARGET_TARGET_MEMORY_H

#include <cstddef>

#include "platform/d3d8/pipeline/pipeline_state.h"

namespace d3d8sw {

enum class TargetAccess {
  Read,       // the caller only reads the memory (Present, a read-only lock)
  ReadWrite,  // the caller may change it (any other lock)
};

// Row y of the colour plane, and of the depth plane when the span was opened for depth (null
// otherwise), from the row's first pixel.
struct TargetRows {
  uint32_t* colour;
  BYTE* depth;
};

class TargetMemory {
 public:
  // Sizes the tile records to the target; a target they did not fit is taken as holding
  // anything.
  explicit TargetMemory(RenderTarget& target);

  // Readies pixels x0..x1 (inclusive) of row y of the colour plane, and of the depth plane when
  // `depth`, for drawing: fills the tiles there that wait for a clear and marks them written.
  // Then hands out the rows.
  TargetRows SpanOpen(int y, int x0, int x1, bool depth) {
    SpanPrepare(y, x0, x1, depth);
    const ptrdiff_t row = y;
    return {reinterpret_cast<uint32_t*>(reinterpret_cast<BYTE*>(target_.colour_) +
                                        row * target_.colourPitch_),
            depth ? static_cast<BYTE*>(target_.depth_) + row * target_.depthPitch_ : nullptr};
  }

  // Clears the rectangles (already clipped to the viewport by the caller) of the planes `flags`
  // name, to `colour` and to `depth` in the depth buffer's format. A clear of the whole plane
  // only marks its tiles as waiting for the value.
  void Clear(const D3DRECT* rects, DWORD rectCount, DWORD flags, D3DCOLOR colour, uint32_t depth);

  // Brings the memory up to date by filling the tiles that wait for a clear: call it before
  // anything but the pipeline reads or writes the colour or depth memory. After a ReadWrite
  // access every tile counts as written.
  void Finish(TargetAccess access);

  // Bounds of the colour pixels written since the last call, all of them the first time and
  // after a ReadWrite access; empty (left >= right) when none was. Call it after Finish.
  RECT ChangedTake();

  // One plane of the target, colour or depth, as this file's implementation works on it.
  struct Plane;

 private:
  Plane ColourPlane();
  Plane DepthPlane();
  void SpanPrepare(int y, int x0, int x1, bool depth);

  RenderTarget& target_;
};

}  // namespace d3d8sw

#endif
