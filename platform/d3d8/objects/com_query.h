// QueryInterface for the device's objects: each answers for IUnknown and for the interfaces
// it implements, all of which start at the same address here (single inheritance).
#ifndef VELKOR_PLATFORM_D3D8_OBJECTS_COM_QUERY_H
#define VELKOR_PLATFORM_D3D8_OBJECTS_COM_QUERY_H

#include <d3d8.h>

#include <initializer_list>

namespace d3d8sw {

inline HRESULT InterfaceQuery(IUnknown* object, REFIID wanted, void** result,
                              std::initializer_list<const IID*> implemented) {
  if (!result) return E_POINTER;
  for (const IID* iid : implemented) {
    if (IsEqualIID(wanted, *iid)) {
      object->AddRef();
      *result = object;
      return S_OK;
    }
  }
  *result = nullptr;
  return E_NOINTERFACE;
}

}  // namespace d3d8sw

#endif
