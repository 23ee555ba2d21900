// What a device creates (vertex buffers, textures): the checks creation makes whatever the kind
// of resource, and the reference counting they share. As in the real runtime, every resource
// the application holds keeps its device alive, while binding it to the device (SetTexture,
// SetStreamSource) does not show in its count: the device keeps a binding of its own, so a
// resource released by the application lives on until unbound.
#ifndef VELKOR_PLATFORM_D3D8_OBJECTS_DEVICE_RESOURCE_H
#define VELKOR_PLATFORM_D3D8_OBJECTS_DEVICE_RESOURCE_H

#include <d3d8.h>

namespace d3d8sw {

// DEFAULT, MANAGED or SYSTEMMEM: the pools a vertex buffer may live in.
inline bool BufferPoolValid(D3DPOOL pool) {
  return pool == D3DPOOL_DEFAULT || pool == D3DPOOL_MANAGED || pool == D3DPOOL_SYSTEMMEM;
}

// The answer when memory for a resource in `pool` runs out: video memory for the default
// pool, system memory for the others.
inline HRESULT OutOfMemoryFor(D3DPOOL pool) {
  return pool == D3DPOOL_DEFAULT ? D3DERR_OUTOFVIDEOMEMORY : E_OUTOFMEMORY;
}

template <class Interface>
class DeviceResource : public Interface {
 public:
  explicit DeviceResource(IDirect3DDevice8* device) : device_(device) { device_->AddRef(); }
  virtual ~DeviceResource() = default;
  DeviceResource(const DeviceResource&) = delete;
  DeviceResource& operator=(const DeviceResource&) = delete;

  // A resource the application let go of while it was bound comes back with a new hold on
  // its device.
  ULONG STDMETHODCALLTYPE AddRef() override {
    if (references_ == 0) device_->AddRef();
    return ++references_;
  }

  ULONG STDMETHODCALLTYPE Release() override {
    if (references_ == 0) return 0;
    const ULONG left = --references_;
    if (left == 0) {
      // Releasing the device may destroy it, and it unbinds (and so may destroy) this object:
      // nothing of this object is touched after that.
      IDirect3DDevice8* device = device_;
      if (bindings_ == 0) delete this;
      device->Release();
    }
    return left;
  }

  HRESULT STDMETHODCALLTYPE GetDevice(IDirect3DDevice8** device) override {
    if (!device) return D3DERR_INVALIDCALL;
    device_->AddRef();
    *device = device_;
    return D3D_OK;
  }

  // Whether this object was created by `device`.
  bool BelongsTo(const IDirect3DDevice8* device) const { return device_ == device; }

  // The device's own hold while the resource is bound to it.
  void Bind() { ++bindings_; }
  void Unbind() {
    if (--bindings_ == 0 && references_ == 0) delete this;
  }

 private:
  IDirect3DDevice8* device_;
  ULONG references_ = 1;
  ULONG bindings_ = 0;
};

}  // namespace d3d8sw

#endif
