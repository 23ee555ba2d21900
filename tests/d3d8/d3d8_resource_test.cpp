// Vertex buffers and textures: what locking gives, and that data survives the round trip.
#include <gtest/gtest.h>

#include <cstring>

#include "support/render_device.h"

namespace {

class ResourceTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_NE(render.device, nullptr); }

  RenderDevice render{8, 8};
};

TEST_F(ResourceTest, AVertexBufferLocksByOffsetAndSizeWithZeroMeaningTheRest) {
  IDirect3DVertexBuffer8* buffer = nullptr;
  ASSERT_EQ(render->CreateVertexBuffer(64, 0, 0, D3DPOOL_MANAGED, &buffer), D3D_OK);
  D3DVERTEXBUFFER_DESC desc = {};
  ASSERT_EQ(buffer->GetDesc(&desc), D3D_OK);
  EXPECT_EQ(desc.Size, 64u);
  EXPECT_EQ(desc.Type, D3DRTYPE_VERTEXBUFFER);

  BYTE* whole = nullptr;
  ASSERT_EQ(buffer->Lock(0, 0, &whole, 0), D3D_OK);
  for (int i = 0; i < 64; ++i) whole[i] = static_cast<BYTE>(i);
  ASSERT_EQ(buffer->Unlock(), D3D_OK);

  BYTE* part = nullptr;
  ASSERT_EQ(buffer->Lock(16, 8, &part, 0), D3D_OK);
  EXPECT_EQ(part[0], 16);
  EXPECT_EQ(part[7], 23);
  std::memset(part, 0xAB, 8);
  ASSERT_EQ(buffer->Unlock(), D3D_OK);

  BYTE* tail = nullptr;
  ASSERT_EQ(buffer->Lock(40, 0, &tail, D3DLOCK_READONLY), D3D_OK);
  EXPECT_EQ(tail[0], 40);
  EXPECT_EQ(tail[23], 63);
  ASSERT_EQ(buffer->Unlock(), D3D_OK);

  ASSERT_EQ(buffer->Lock(0, 0, &whole, D3DLOCK_READONLY), D3D_OK);
  EXPECT_EQ(whole[15], 15);
  EXPECT_EQ(whole[16], 0xAB);
  EXPECT_EQ(whole[23], 0xAB);
  EXPECT_EQ(whole[24], 24);
  ASSERT_EQ(buffer->Unlock(), D3D_OK);
  EXPECT_EQ(buffer->Release(), 0u);
}

// A vertex buffer lives in the default, managed or system-memory pool, and says which; only a
// texture may be made in the scratch pool too.
TEST_F(ResourceTest, EachKindIsMadeInThePoolsItMayLiveIn) {
  for (const D3DPOOL pool : {D3DPOOL_DEFAULT, D3DPOOL_MANAGED, D3DPOOL_SYSTEMMEM}) {
    IDirect3DVertexBuffer8* buffer = nullptr;
    ASSERT_EQ(render->CreateVertexBuffer(64, 0, 0, pool, &buffer), D3D_OK) << "pool " << pool;
    D3DVERTEXBUFFER_DESC desc = {};
    EXPECT_EQ(buffer->GetDesc(&desc), D3D_OK);
    EXPECT_EQ(desc.Pool, pool);
    buffer->Release();
  }
  IDirect3DVertexBuffer8* scratchBuffer = nullptr;
  EXPECT_EQ(render->CreateVertexBuffer(64, 0, 0, D3DPOOL_SCRATCH, &scratchBuffer),
            D3DERR_INVALIDCALL);
  for (const D3DPOOL pool :
       {D3DPOOL_DEFAULT, D3DPOOL_MANAGED, D3DPOOL_SYSTEMMEM, D3DPOOL_SCRATCH}) {
    IDirect3DTexture8* texture = nullptr;
    ASSERT_EQ(render->CreateTexture(4, 4, 1, 0, D3DFMT_A8R8G8B8, pool, &texture), D3D_OK)
        << "pool " << pool;
    D3DSURFACE_DESC desc = {};
    EXPECT_EQ(texture->GetLevelDesc(0, &desc), D3D_OK);
    EXPECT_EQ(desc.Pool, pool);
    texture->Release();
  }
}

TEST_F(ResourceTest, LevelsZeroMakesTheWholeChainDownToOneByOne) {
  const struct {
    UINT width, height, levels;
  } chains[] = {{256, 256, 9}, {4, 2, 3}, {256, 128, 9}, {1, 1, 1}, {2, 8, 4}, {1, 4, 3}};
  for (const auto& chain : chains) {
    SCOPED_TRACE(testing::Message() << chain.width << " x " << chain.height);
    IDirect3DTexture8* texture = nullptr;
    ASSERT_EQ(render->CreateTexture(chain.width, chain.height, 0, 0, D3DFMT_A8R8G8B8,
                                    D3DPOOL_MANAGED, &texture),
              D3D_OK);
    EXPECT_EQ(texture->GetLevelCount(), chain.levels);
    UINT width = chain.width;
    UINT height = chain.height;
    for (UINT level = 0; level < chain.levels; ++level) {
      D3DSURFACE_DESC desc = {};
      ASSERT_EQ(texture->GetLevelDesc(level, &desc), D3D_OK);
      EXPECT_EQ(desc.Width, width) << "level " << level;
      EXPECT_EQ(desc.Height, height) << "level " << level;
      EXPECT_EQ(desc.Format, D3DFMT_A8R8G8B8);
      width = width > 1 ? width / 2 : 1;
      height = height > 1 ? height / 2 : 1;
    }
    D3DSURFACE_DESC desc = {};
    EXPECT_EQ(texture->GetLevelDesc(chain.levels, &desc), D3DERR_INVALIDCALL);
    texture->Release();
  }
#ifndef _WIN32
  // More levels than the chain has is the caller's error, which Windows' runtime is not shown
  // to refuse (Wine's makes the texture); ours refuses it.
  IDirect3DTexture8* texture = nullptr;
  EXPECT_EQ(render->CreateTexture(4, 2, 4, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture),
            D3DERR_INVALIDCALL);
  EXPECT_EQ(texture, nullptr);
#endif
}

TEST_F(ResourceTest, TexelsWrittenThroughALockReadBackPerLevel) {
  IDirect3DTexture8* texture = nullptr;
  ASSERT_EQ(render->CreateTexture(8, 4, 0, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture), D3D_OK);
  for (UINT level = 0; level < texture->GetLevelCount(); ++level) {
    D3DSURFACE_DESC desc = {};
    ASSERT_EQ(texture->GetLevelDesc(level, &desc), D3D_OK);
    D3DLOCKED_RECT locked = {};
    ASSERT_EQ(texture->LockRect(level, &locked, nullptr, 0), D3D_OK);
    ASSERT_GE(locked.Pitch, static_cast<INT>(desc.Width * 4));
    // The size the level tells holds all its rows.
    EXPECT_GE(desc.Size, static_cast<UINT>(locked.Pitch) * desc.Height) << "level " << level;
    for (UINT y = 0; y < desc.Height; ++y) {
      DWORD* row = reinterpret_cast<DWORD*>(static_cast<BYTE*>(locked.pBits) + y * locked.Pitch);
      for (UINT x = 0; x < desc.Width; ++x) row[x] = (level << 24) | (y << 8) | x;
    }
    // A level locks once at a time; the others stay free.
    D3DLOCKED_RECT again = {};
    EXPECT_EQ(texture->LockRect(level, &again, nullptr, 0), D3DERR_INVALIDCALL);
    ASSERT_EQ(texture->UnlockRect(level), D3D_OK);
  }
  for (UINT level = 0; level < texture->GetLevelCount(); ++level) {
    D3DSURFACE_DESC desc = {};
    ASSERT_EQ(texture->GetLevelDesc(level, &desc), D3D_OK);
    D3DLOCKED_RECT locked = {};
    ASSERT_EQ(texture->LockRect(level, &locked, nullptr, D3DLOCK_READONLY), D3D_OK);
    for (UINT y = 0; y < desc.Height; ++y) {
      const DWORD* row =
          reinterpret_cast<const DWORD*>(static_cast<BYTE*>(locked.pBits) + y * locked.Pitch);
      for (UINT x = 0; x < desc.Width; ++x) {
        ASSERT_EQ(row[x], DWORD((level << 24) | (y << 8) | x)) << level << ": " << x << ", " << y;
      }
    }
    ASSERT_EQ(texture->UnlockRect(level), D3D_OK);
  }
  // A rectangle's lock starts at its top-left texel.
  const RECT part = {3, 2, 5, 4};
  D3DLOCKED_RECT locked = {};
  ASSERT_EQ(texture->LockRect(0, &locked, &part, 0), D3D_OK);
  EXPECT_EQ(*static_cast<DWORD*>(locked.pBits), DWORD((2 << 8) | 3));
  ASSERT_EQ(texture->UnlockRect(0), D3D_OK);
  // Unlocking a texture's level twice is no error (Wine's d3d8 device test
  // test_lockrect_invalid shows Windows answering D3D_OK).
  EXPECT_EQ(texture->UnlockRect(0), D3D_OK);
  texture->Release();
}

}  // namespace
