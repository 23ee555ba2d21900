// A 32-bit texture with its chain of mip levels, each locked on its own by the application and
// read by the pipeline through its TextureData.
#ifndef VELKOR_PLATFORM_D3D8_OBJECTS_TEXTURE_RESOURCE_H
#define VELKOR_PLATFORM_D3D8_OBJECTS_TEXTURE_RESOURCE_H

#include <vector>

#include "platform/d3d8/objects/device_resource.h"
#include "platform/d3d8/pipeline/pipeline_state.h"

namespace d3d8sw {

class Texture final : public DeviceResource<IDirect3DTexture8> {
 public:
  // Checks the arguments as CreateTexture does; on success `*texture` holds a new texture
  // with one reference, else null. Levels 0 makes the whole chain down to 1 by 1.
  static HRESULT Create(IDirect3DDevice8* device, UINT width, UINT height, UINT levels, DWORD usage,
                        D3DFORMAT format, D3DPOOL pool, IDirect3DTexture8** texture);

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
  D3DRESOURCETYPE STDMETHODCALLTYPE GetType() override { return D3DRTYPE_TEXTURE; }
  DWORD STDMETHODCALLTYPE GetLevelCount() override;
  HRESULT STDMETHODCALLTYPE GetLevelDesc(UINT level, D3DSURFACE_DESC* desc) override;
  HRESULT STDMETHODCALLTYPE LockRect(UINT level, D3DLOCKED_RECT* locked, const RECT* rect,
                                     DWORD flags) override;
  HRESULT STDMETHODCALLTYPE UnlockRect(UINT level) override;

  const TextureData& Data() const { return data_; }
  // Scratch textures are for the application's memory only, never for drawing.
  bool Drawable() const { return pool_ != D3DPOOL_SCRATCH; }

 private:
  Texture(IDirect3DDevice8* device, UINT width, UINT height, UINT levels, DWORD usage,
          D3DFORMAT format, D3DPOOL pool);

  TextureData data_;
  std::vector<bool> levelLocked_;
  DWORD usage_;
  D3DPOOL pool_;
};

}  // namespace d3d8sw

#endif
