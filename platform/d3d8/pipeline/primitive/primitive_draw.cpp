#include "platform/d3d8/pipeline/primitive/primitive_draw.h"

#include <algorithm>

#include "platform/d3d8/pipeline/primitive/clipping.h"
#include "platform/d3d8/pipeline/pixel/rasterizer.h"
#include "platform/d3d8/pipeline/primitive/viewport.h"

namespace d3d8sw {

namespace {

struct DrawContext {
  const PipelineState& state;
  TargetMemory& target;
  ShadingSetup shading;
  GuardBand band;
  Scissor scissor;
  DWORD cullMode;
  bool flat;
  bool transformed;
};

// The pixels the viewport covers, within the target.
Scissor ViewportScissor(const D3DVIEWPORT8& viewport, const RenderTarget& target) {
  const auto limit = [](DWORD start, DWORD size, UINT extent) {
    return static_cast<int>(std::min<uint64_t>(uint64_t{start} + size, extent));
  };
  return {static_cast<int>(std::min<DWORD>(viewport.X, target.Width())),
          static_cast<int>(std::min<DWORD>(viewport.Y, target.Height())),
          limit(viewport.X, viewport.Width, target.Width()),
          limit(viewport.Y, viewport.Height, target.Height())};
}

void ScreenTriangleDraw(DrawContext& context, const ScreenVertex& a, const ScreenVertex& b,
                        const ScreenVertex& c) {
  const SnappedTriangle snapped = TriangleSnap(a, b, c);
  if (CullRemoves(context.cullMode, snapped.winding)) return;
  TriangleRasterize(snapped, context.scissor, context.shading, context.target);
}

void TransformedTriangleDraw(DrawContext& context, const ClipVertex& a, const ClipVertex& b,
                             const ClipVertex& c) {
  for (const ClipVertex* v : {&a, &b, &c}) {
    if (!TransformedDrawable(*v)) return;
  }
  ScreenTriangleDraw(context, TransformedProject(a), TransformedProject(b), TransformedProject(c));
}

void TriangleDraw(DrawContext& context, const ClipVertex& a, const ClipVertex& b,
                  const ClipVertex& c) {
  if (context.transformed) {
    TransformedTriangleDraw(context, a, b, c);
    return;
  }
  const D3DVIEWPORT8& viewport = context.state.viewport;
  const uint32_t outcodes[3] = {ClipOutcode(a.position, context.band),
                                ClipOutcode(b.position, context.band),
                                ClipOutcode(c.position, context.band)};
  if (outcodes[0] & outcodes[1] & outcodes[2]) return;  // wholly outside one plane
  if ((outcodes[0] | outcodes[1] | outcodes[2]) == 0) {
    ScreenTriangleDraw(context, ViewportProject(viewport, a), ViewportProject(viewport, b),
                       ViewportProject(viewport, c));
    return;
  }
  ClipVertex polygon[MaxClippedVertices];
  const int count = TriangleClip(a, b, c, context.band, polygon);
  ScreenVertex screen[MaxClippedVertices];
  for (int i = 0; i < count; ++i) screen[i] = ViewportProject(viewport, polygon[i]);
  // The clipped polygon is convex and keeps the triangle's winding, so its fan does too.
  for (int i = 1; i + 1 < count; ++i)
    ScreenTriangleDraw(context, screen[0], screen[i], screen[i + 1]);
}

// `first` is the vertex whose colours flat shading gives the whole triangle: vertex 3i of a
// list's triangle i, vertex i of a strip's and vertex i + 1 of a fan's.
void AssembledTriangleDraw(DrawContext& context, const ClipVertex& first, const ClipVertex& a,
                           const ClipVertex& b, const ClipVertex& c) {
  if (!context.flat) {
    TriangleDraw(context, a, b, c);
    return;
  }
  ClipVertex flat[3] = {a, b, c};
  for (ClipVertex& vertex : flat) {
    std::copy(first.diffuse, first.diffuse + 4, vertex.diffuse);
    std::copy(first.specular, first.specular + 4, vertex.specular);
  }
  TriangleDraw(context, flat[0], flat[1], flat[2]);
}

}  // namespace

void PrimitivesDraw(const PipelineState& state, RenderTarget& target, D3DPRIMITIVETYPE type,
                    bool transformed, const ClipVertex* v, UINT primitiveCount) {
  const D3DVIEWPORT8& viewport = state.viewport;
  TargetMemory memory(target);
  DrawContext context = {
      state,
      memory,
      ShadingSetupBuild(state, target),
      GuardBandForViewport(static_cast<float>(viewport.Width), static_cast<float>(viewport.Height)),
      ViewportScissor(viewport, target),
      state.renderStates[D3DRS_CULLMODE],
      state.renderStates[D3DRS_SHADEMODE] == D3DSHADE_FLAT,
      transformed};
  if (context.scissor.left >= context.scissor.right ||
      context.scissor.top >= context.scissor.bottom) {
    return;
  }
  for (UINT i = 0; i < primitiveCount; ++i) {
    switch (type) {
      case D3DPT_TRIANGLELIST:
        AssembledTriangleDraw(context, v[3 * i], v[3 * i], v[3 * i + 1], v[3 * i + 2]);
        break;
      case D3DPT_TRIANGLESTRIP:
        // Every other triangle of a strip is reversed so that all keep the first one's winding.
        if (i % 2 == 0) {
          AssembledTriangleDraw(context, v[i], v[i], v[i + 1], v[i + 2]);
        } else {
          AssembledTriangleDraw(context, v[i], v[i + 1], v[i], v[i + 2]);
        }
        break;
      case D3DPT_TRIANGLEFAN:
        AssembledTriangleDraw(context, v[i + 1], v[0], v[i + 1], v[i + 2]);
        break;
      default:
        return;
    }
  }
}

}  // namespace d3d8sw
