// The reference count of an object that belongs to a device (a resource it created, a back
// buffer it owns): while the application holds the object it holds the device too, so the
// first AddRef from no references takes a hold on the device and the last Release lets it go.
// What else the last Release does is the kind of object's own rule.
#ifndef VELKOR_PLATFORM_D3D8_OBJECTS_DEVICE_CHILD_H
#define VELKOR_PLATFORM_D3D8_OBJECTS_DEVICE_CHILD_H

#include <d3d8.h>

namespace d3d8sw {

template <class Interface>
class DeviceChild : public Interface {
 public:
  DeviceChild(const DeviceChild&) = delete;
  DeviceChild& operator=(const DeviceChild&) = delete;

  ULONG STDMETHODCALLTYPE AddRef() override {
    if (references_ == 0) device_->AddRef();
    return ++references_;
  }

  ULONG STDMETHODCALLTYPE Release() override {
    if (references_ == 0) return 0;
    const ULONG left = --references_;
    if (left == 0) {
      // Releasing the device may destroy it, and this object with it; Unreferenced may destroy
      // this object: nothing of it is touched after either.
      IDirect3DDevice8* device = device_;
      Unreferenced();
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

  // Whether this object belongs to `device`.
  bool BelongsTo(const IDirect3DDevice8* device) const { return device_ == device; }

 protected:
  // `references` the object starts with, each of which holds the device: the caller has taken
  // those holds.
  DeviceChild(IDirect3DDevice8* device, ULONG references)
      : device_(device), references_(references) {}
  virtual ~DeviceChild() = default;

  ULONG References() const { return references_; }

  // The application's last reference went, just before the device's hold on its behalf does.
  virtual void Unreferenced() {}

 private:
  IDirect3DDevice8* device_;
  ULONG references_;
};

}  // namespace d3d8sw

#endif
