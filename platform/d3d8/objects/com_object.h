// The reference count of a COM object that owns itself (the Direct3D object, the device): it
// starts with the creator's one reference, and the last Release deletes the object.
#ifndef VELKOR_PLATFORM_D3D8_OBJECTS_COM_OBJECT_H
#define VELKOR_PLATFORM_D3D8_OBJECTS_COM_OBJECT_H

#include <d3d8.h>

namespace d3d8sw {

template <class Interface>
class ComObject : public Interface {
 public:
  ComObject() = default;
  ComObject(const ComObject&) = delete;
  ComObject& operator=(const ComObject&) = delete;

  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }

  ULONG STDMETHODCALLTYPE Release() override {
    if (references_ == 0) return 0;
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }

 protected:
  virtual ~ComObject() = default;

 private:
  ULONG references_ = 1;
};

}  // namespace d3d8sw

#endif
