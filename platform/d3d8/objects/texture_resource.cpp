#include "platform/d3d8/objects/texture_resource.h"

#include <algorithm>
#include <new>

#include "platform/d3d8/objects/com_query.h"
#include "platform/d3d8/pipeline/formats.h"
#include "platform/d3d8/objects/surface_rect.h"

namespace d3d8sw {

namespace {

constexpr UINT MaxTextureSize = 4096;

// Levels in the whole chain: each level halves both sides, rounding down, until both are 1, so
// the longer side counts them.
UINT ChainLength(UINT width, UINT height) {
  UINT levels = 1;
  for (UINT side = std::max(width, height); side > 1; side /= 2) ++levels;
  return levels;
}

}  // namespace

HRESULT Texture::Create(IDirect3DDevice8* device, UINT width, UINT height, UINT levels, DWORD usage,
                        D3DFORMAT format, D3DPOOL pool, IDirect3DTexture8** texture) {
  if (!texture) return D3DERR_INVALIDCALL;
  *texture = nullptr;
  // Render-target and depth textures need SetRenderTarget, which this device does not have.
  if (width == 0 || height == 0 || width > MaxTextureSize || height > MaxTextureSize ||
      levels > ChainLength(width, height) || usage != 0 || !FormatIsColour(format) ||
      !(BufferPoolValid(pool) || pool == D3DPOOL_SCRATCH)) {
    return D3DERR_INVALIDCALL;
  }
  try {
    *texture = new Texture(device, width, height, levels == 0 ? ChainLength(width, height) : levels,
                           usage, format, pool);
  } catch (const std::bad_alloc&) {
    return OutOfMemoryFor(pool);
  }
  return D3D_OK;
}

Texture::Texture(IDirect3DDevice8* device, UINT width, UINT height, UINT levels, DWORD usage,
                 D3DFORMAT format, D3DPOOL pool)
    : DeviceResource(device), levelLocked_(levels, false), usage_(usage), pool_(pool) {
  data_.format = format;
  data_.levels.resize(levels);
  for (TextureLevel& level : data_.levels) {
    level.width = width;
    level.height = height;
    level.pitch = static_cast<INT>((width + 1) * 4);
    level.texels.assign(static_cast<size_t>(width + 1) * height, 0);
    width = width > 1 ? width / 2 : 1;
    height = height > 1 ? height / 2 : 1;
  }
}

HRESULT STDMETHODCALLTYPE Texture::QueryInterface(REFIID riid, void** object) {
  return InterfaceQuery(
      this, riid, object,
      {&IID_IUnknown, &IID_IDirect3DResource8, &IID_IDirect3DBaseTexture8, &IID_IDirect3DTexture8});
}

DWORD STDMETHODCALLTYPE Texture::GetLevelCount() { return static_cast<DWORD>(data_.levels.size()); }

HRESULT STDMETHODCALLTYPE Texture::GetLevelDesc(UINT level, D3DSURFACE_DESC* desc) {
  if (!desc || level >= data_.levels.size()) return D3DERR_INVALIDCALL;
  const TextureLevel& texels = data_.levels[level];
  *desc = {data_.format,
           D3DRTYPE_SURFACE,
           usage_,
           pool_,
           static_cast<UINT>(texels.pitch) * texels.height,
           D3DMULTISAMPLE_NONE,
           texels.width,
           texels.height};
  return D3D_OK;
}

// Textures in the default pool live where the application cannot reach them.
HRESULT STDMETHODCALLTYPE Texture::LockRect(UINT level, D3DLOCKED_RECT* locked, const RECT* rect,
                                            DWORD) {
  if (!locked) return D3DERR_INVALIDCALL;
  *locked = {0, nullptr};
  if (level >= data_.levels.size() || levelLocked_[level] || pool_ == D3DPOOL_DEFAULT) {
    return D3DERR_INVALIDCALL;
  }
  TextureLevel& texels = data_.levels[level];
  const HRESULT result = SurfaceRectLock(texels.texels.data(), texels.pitch, texels.width,
                                         texels.height, rect, *locked);
  if (SUCCEEDED(result)) levelLocked_[level] = true;
  return result;
}

// Unlocking a level that is not locked is no error for a texture, as on Windows. The application
// may have written any row: each row's last, hidden texel copies its first again.
HRESULT STDMETHODCALLTYPE Texture::UnlockRect(UINT level) {
  if (level >= data_.levels.size()) return D3DERR_INVALIDCALL;
  levelLocked_[level] = false;
  TextureLevel& texels = data_.levels[level];
  const size_t rowTexels = static_cast<size_t>(texels.pitch) / 4;
  for (size_t row = 0; row < texels.height; ++row) {
    texels.texels[row * rowTexels + texels.width] = texels.texels[row * rowTexels];
  }
  return D3D_OK;
}

}  // namespace d3d8sw
