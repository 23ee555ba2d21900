#include "support/render_draw.h"

#include <iomanip>

namespace {

::testing::AssertionResult Succeeded(HRESULT result, const char* call) {
  if (SUCCEEDED(result)) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << call << " failed: 0x" << std::hex << result;
}

}  // namespace

bool VerticesDraw(const RenderDevice& render, D3DPRIMITIVETYPE type, UINT primitives,
                  const void* vertices, UINT count, UINT stride, DWORD fvf) {
  IDirect3DVertexBuffer8* buffer = render.VertexBufferWith(vertices, count * stride, fvf);
  if (!buffer) return false;
  bool drawn = Succeeded(render->SetVertexShader(fvf), "SetVertexShader") &&
               Succeeded(render->SetStreamSource(0, buffer, stride), "SetStreamSource") &&
               Succeeded(render->BeginScene(), "BeginScene");
  if (drawn) {
    drawn = Succeeded(render->DrawPrimitive(type, 0, primitives), "DrawPrimitive");
    drawn = Succeeded(render->EndScene(), "EndScene") && drawn;
  }
  render->SetStreamSource(0, nullptr, 0);
  buffer->Release();
  EXPECT_TRUE(drawn);
  return drawn;
}

bool TransformedVerticesDraw(const RenderDevice& render, D3DPRIMITIVETYPE type,
                             const std::vector<TransformedVertex>& vertices) {
  const UINT count = static_cast<UINT>(vertices.size());
  const UINT primitives = type == D3DPT_TRIANGLELIST ? count / 3 : count - 2;
  return VerticesDraw(render, type, primitives, vertices.data(), count, sizeof(TransformedVertex),
                      TransformedVertexFormat);
}

void RightHandedProjectionSet(const RenderDevice& render) {
  D3DMATRIX projection = {};
  projection._11 = 1.0f;
  projection._22 = 1.0f;
  projection._33 = 100.0f / (1.0f - 100.0f);
  projection._34 = -1.0f;
  projection._43 = 1.0f * 100.0f / (1.0f - 100.0f);
  render->SetTransform(D3DTS_PROJECTION, &projection);
}

void PlainShapeStates(const RenderDevice& render) {
  render->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
  render->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG1);
  render->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_DIFFUSE);
}

void BackBufferClear(const RenderDevice& render, D3DCOLOR colour, bool depth) {
  const DWORD flags = D3DCLEAR_TARGET | (depth ? D3DCLEAR_ZBUFFER : 0);
  EXPECT_TRUE(Succeeded(render->Clear(0, nullptr, flags, colour, 1.0f, 0), "Clear"));
}
