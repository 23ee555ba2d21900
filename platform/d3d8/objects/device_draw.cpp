// Scenes, clears and draws: checked here as the real runtime checks them, then done by the
// pipeline.
#include <algorithm>

#include "platform/d3d8/objects/software_device.h"
#include "platform/d3d8/objects/vertex_buffer.h"
#include "platform/d3d8/pipeline/vertex/vertex_format.h"

namespace d3d8sw {

namespace {

constexpr DWORD ClearFlags = D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER | D3DCLEAR_STENCIL;

// The pipeline draws triangles only; points and lines are refused rather than dropped.
bool PrimitiveTypeDrawn(D3DPRIMITIVETYPE type) {
  return type == D3DPT_TRIANGLELIST || type == D3DPT_TRIANGLESTRIP || type == D3DPT_TRIANGLEFAN;
}

// `rect` cut down to the viewport; empty (x1 >= x2 or y1 >= y2) when they do not meet.
D3DRECT RectClip(const D3DRECT& rect, const D3DVIEWPORT8& viewport) {
  const LONG left = static_cast<LONG>(viewport.X);
  const LONG top = static_cast<LONG>(viewport.Y);
  return {std::max(rect.x1, left), std::max(rect.y1, top),
          std::min(rect.x2, left + static_cast<LONG>(viewport.Width)),
          std::min(rect.y2, top + static_cast<LONG>(viewport.Height))};
}

}  // namespace

HRESULT STDMETHODCALLTYPE Device::BeginScene() {
  if (inScene_) return D3DERR_INVALIDCALL;
  inScene_ = true;
  return D3D_OK;
}

HRESULT STDMETHODCALLTYPE Device::EndScene() {
  if (!inScene_) return D3DERR_INVALIDCALL;
  inScene_ = false;
  return D3D_OK;
}

// No rectangles clears the viewport; rectangles are clipped to it. Depth (or stencil, which no
// format here has) asked of a device without a depth buffer fails and clears nothing.
HRESULT STDMETHODCALLTYPE Device::Clear(DWORD count, const D3DRECT* rects, DWORD flags,
                                        D3DCOLOR colour, float z, DWORD) {
  if (flags == 0 || (flags & ~ClearFlags) != 0 || (flags & D3DCLEAR_STENCIL) ||
      ((flags & D3DCLEAR_ZBUFFER) && (!target_.HasDepth() || !(z >= 0.0f && z <= 1.0f))) ||
      backBuffers_.front()->Locked()) {
    return D3DERR_INVALIDCALL;
  }
  const D3DVIEWPORT8& viewport = state_.viewport;
  if (count == 0 || !rects) {
    const D3DRECT whole = {static_cast<LONG>(viewport.X), static_cast<LONG>(viewport.Y),
                           static_cast<LONG>(viewport.X + viewport.Width),
                           static_cast<LONG>(viewport.Y + viewport.Height)};
    PipelineClear(target_, &whole, 1, flags, colour, z);
    return D3D_OK;
  }
  // One rectangle at a time: the planes and the rectangles are independent of each other.
  for (DWORD i = 0; i < count; ++i) {
    const D3DRECT rect = RectClip(rects[i], viewport);
    if (rect.x1 < rect.x2 && rect.y1 < rect.y2) PipelineClear(target_, &rect, 1, flags, colour, z);
  }
  return D3D_OK;
}

// Every byte the draw reads must lie within the bound buffer.
HRESULT STDMETHODCALLTYPE Device::DrawPrimitive(D3DPRIMITIVETYPE type, UINT startVertex,
                                                UINT primitiveCount) {
  // SetVertexShader took only formats the pipeline draws; 0 means none was set.
  const VertexLayout layout = VertexLayoutFromFvf(state_.vertexFormat);
  if (!inScene_ || !PrimitiveTypeDrawn(type) || !stream_ || stream_->Locked() ||
      state_.vertexFormat == 0 || streamStride_ < layout.size || backBuffers_.front()->Locked()) {
    return D3DERR_INVALIDCALL;
  }
  if (primitiveCount == 0) return D3D_OK;
  const uint64_t lastVertex =
      uint64_t{startVertex} + PrimitiveVertexCount(type, primitiveCount) - 1;
  if (lastVertex * streamStride_ + layout.size > stream_->Length()) {
    return D3DERR_INVALIDCALL;
  }
  PipelineDraw(state_, target_, scratch_, type, stream_->Bytes(), streamStride_, startVertex,
               primitiveCount);
  return D3D_OK;
}

DrawInputs Device::DrawInputsGet() {
  if (!stream_ || streamStride_ == 0) return {state_, target_, nullptr, 0, 0};
  return {state_, target_, stream_->Bytes(), streamStride_, stream_->Length() / streamStride_};
}

}  // namespace d3d8sw
