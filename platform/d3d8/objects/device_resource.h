// What a device creates (vertex buffers, textures): the checks creation makes whatever the kind
// of resource, and the reference counting they share. As in the real runtime, every resource
// the application holds keeps its device alive, while binding it to the device (SetTexture,
// SetStreamSource) does not show in its count: the device keeps a binding of its own, so a
// resource released by the application lives on until unbound.
#ifndef VELKOR_PLATFORM_D3D8_OBJECTS_DEVICE_RESOURCE_H
#define VELKOR_PLATFORM_D3D8_OBJECTS_DEVICE_RESOURCE_H

#include <d3d8.h>

#include "platform/d3d8/objects/device_child.h"

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
class DeviceResource : public DeviceChild<Interface> {
 public:
  // The creator's reference, and with it a hold on the device.
  explicit DeviceResource(IDirect3DDevice8* device) : DeviceChild<Interface>(device, 1) {
    device->AddRef();
  }

  // The device's own hold while the resource is bound to it.
  void Bind() { ++bindings_; }
  void Unbind() {
    if (--bindings_ == 0 && this->References() == 0) delete this;
  }

 private:
  // A resource the application let go of lives on while it is bound; once it is back in use,
  // AddRef takes a new hold on its device.
  void Unreferenced() override {
    if (bindings_ == 0) delete this;
  }

  ULONG bindings_ = 0;
};

}  // namespace d3d8sw

#endif
