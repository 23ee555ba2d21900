// What DrawPrimitive refuses before anything is drawn: above all, reading past the vertex
// buffer. Windows' runtime leaves most of these undefined, so they are built for our device only.
#include <gtest/gtest.h>

#include "platform/d3d8/objects/software_device.h"
#include "support/render_device.h"

namespace {

struct Vertex {
  float x, y, z;
  D3DCOLOR diffuse;
};
constexpr DWORD VertexFormat = D3DFVF_XYZ | D3DFVF_DIFFUSE;

class DrawChecksTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(render.device, nullptr);
    const Vertex triangles[6] = {};
    buffer = render.VertexBufferWith(triangles, sizeof triangles, VertexFormat);
    ASSERT_NE(buffer, nullptr);
    ASSERT_EQ(render->SetStreamSource(0, buffer, sizeof(Vertex)), D3D_OK);
    ASSERT_EQ(render->SetVertexShader(VertexFormat), D3D_OK);
    ASSERT_EQ(render->BeginScene(), D3D_OK);
  }

  void TearDown() override {
    if (buffer) buffer->Release();
  }

  RenderDevice render{8, 8};
  IDirect3DVertexBuffer8* buffer = nullptr;
};

TEST_F(DrawChecksTest, DrawsOnlyVerticesWithinTheBuffer) {
  EXPECT_EQ(render->DrawPrimitive(D3DPT_TRIANGLELIST, 0, 2), D3D_OK);
  EXPECT_EQ(render->DrawPrimitive(D3DPT_TRIANGLELIST, 1, 2), D3DERR_INVALIDCALL);
  EXPECT_EQ(render->DrawPrimitive(D3DPT_TRIANGLELIST, 0, 3), D3DERR_INVALIDCALL);
  EXPECT_EQ(render->DrawPrimitive(D3DPT_TRIANGLESTRIP, 0, 4), D3D_OK);
  EXPECT_EQ(render->DrawPrimitive(D3DPT_TRIANGLEFAN, 1, 4), D3DERR_INVALIDCALL);
  EXPECT_EQ(render->DrawPrimitive(D3DPT_TRIANGLELIST, 0xFFFFFFFF, 0x7FFFFFFF), D3DERR_INVALIDCALL);
  EXPECT_EQ(render->DrawPrimitive(D3DPT_TRIANGLELIST, 0, 0), D3D_OK);
  EXPECT_EQ(render->DrawPrimitive(D3DPRIMITIVETYPE(7), 0, 1), D3DERR_INVALIDCALL);
  // Triangles only: points and lines are refused, not dropped.
  EXPECT_EQ(render->DrawPrimitive(D3DPT_POINTLIST, 0, 1), D3DERR_INVALIDCALL);
  EXPECT_EQ(render->DrawPrimitive(D3DPT_LINELIST, 0, 1), D3DERR_INVALIDCALL);
}

TEST_F(DrawChecksTest, RefusesAStrideShorterThanTheVertex) {
  ASSERT_EQ(render->SetStreamSource(0, buffer, sizeof(Vertex) - 4), D3D_OK);
  EXPECT_EQ(render->DrawPrimitive(D3DPT_TRIANGLELIST, 0, 1), D3DERR_INVALIDCALL);
}

TEST_F(DrawChecksTest, RefusesALockedBufferNoBufferAndNoScene) {
  BYTE* data = nullptr;
  ASSERT_EQ(buffer->Lock(0, 0, &data, 0), D3D_OK);
  EXPECT_EQ(render->DrawPrimitive(D3DPT_TRIANGLELIST, 0, 1), D3DERR_INVALIDCALL);
  ASSERT_EQ(buffer->Unlock(), D3D_OK);
  EXPECT_EQ(render->DrawPrimitive(D3DPT_TRIANGLELIST, 0, 1), D3D_OK);
  ASSERT_EQ(render->EndScene(), D3D_OK);
  EXPECT_EQ(render->DrawPrimitive(D3DPT_TRIANGLELIST, 0, 1), D3DERR_INVALIDCALL);
  ASSERT_EQ(render->BeginScene(), D3D_OK);
  ASSERT_EQ(render->SetStreamSource(0, nullptr, 0), D3D_OK);
  EXPECT_EQ(render->DrawPrimitive(D3DPT_TRIANGLELIST, 0, 1), D3DERR_INVALIDCALL);
}

// Formats the pipeline cannot draw are refused when set, not dropped silently when drawn.
TEST_F(DrawChecksTest, RefusesVertexFormatsItCannotDraw) {
  EXPECT_EQ(render->SetVertexShader(D3DFVF_XYZ | D3DFVF_PSIZE), D3DERR_INVALIDCALL);
  EXPECT_EQ(render->SetVertexShader(D3DFVF_XYZRHW | D3DFVF_NORMAL), D3DERR_INVALIDCALL);
  EXPECT_EQ(render->SetVertexShader(D3DFVF_NORMAL), D3DERR_INVALIDCALL);
  // The format's count of texture coordinate sets has room for 15; Direct3D 8 has 8.
  EXPECT_EQ(render->SetVertexShader(D3DFVF_XYZ | 9 << D3DFVF_TEXCOUNT_SHIFT), D3DERR_INVALIDCALL);
  DWORD fvf = 0;
  ASSERT_EQ(render->GetVertexShader(&fvf), D3D_OK);
  EXPECT_EQ(fvf, VertexFormat);
}

TEST_F(DrawChecksTest, TakesEveryCountOfTextureCoordinateSetsUpToEight) {
  for (DWORD sets = 0; sets <= 8; ++sets) {
    EXPECT_EQ(render->SetVertexShader(D3DFVF_XYZ | sets << D3DFVF_TEXCOUNT_SHIFT), D3D_OK)
        << sets << " sets";
  }
}

// What the frame benchmark draws from: the bound buffer's whole vertices, or none.
TEST_F(DrawChecksTest, HandsOverTheBoundVerticesOrNone) {
  auto& device = dynamic_cast<d3d8sw::Device&>(*render.device);
  const d3d8sw::DrawInputs bound = device.DrawInputsGet();
  EXPECT_NE(bound.vertices, nullptr);
  EXPECT_EQ(bound.stride, sizeof(Vertex));
  EXPECT_EQ(bound.vertexCount, 6u);
  // A stride of two vertices: three whole ones of it.
  ASSERT_EQ(render->SetStreamSource(0, buffer, 2 * sizeof(Vertex)), D3D_OK);
  EXPECT_EQ(device.DrawInputsGet().vertexCount, 3u);
  // A stride of none holds no whole vertex.
  ASSERT_EQ(render->SetStreamSource(0, buffer, 0), D3D_OK);
  EXPECT_EQ(device.DrawInputsGet().vertexCount, 0u);
  ASSERT_EQ(render->SetStreamSource(0, nullptr, 0), D3D_OK);
  const d3d8sw::DrawInputs none = device.DrawInputsGet();
  EXPECT_EQ(none.vertices, nullptr);
  EXPECT_EQ(none.stride, 0u);
  EXPECT_EQ(none.vertexCount, 0u);
}

}  // namespace
