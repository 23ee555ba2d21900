// What every Direct3D 8 test double does: it records each call it receives, AddRef and Release
// among them, and counts references without ever deleting itself, since the test owns it.
#ifndef VELKOR_TESTS_DOUBLES_RECORDING_DOUBLE_H
#define VELKOR_TESTS_DOUBLES_RECORDING_DOUBLE_H

#include <cstdio>
#include <string>
#include <utility>

#include "device/direct3d.h"
#include "doubles/call_log.h"

template <class Interface>
class RecordingDouble : public Interface {
 public:
  CallLog calls;
  ULONG references = 1;
  // Also writes each call to standard error, for tests whose process ends before they can
  // look at `calls`.
  bool echo = false;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }

  ULONG STDMETHODCALLTYPE AddRef() override {
    Record(CallDescription("AddRef"));
    return ++references;
  }

  ULONG STDMETHODCALLTYPE Release() override {
    Record(CallDescription("Release"));
    return --references;
  }

 protected:
  void Record(std::string call) {
    if (echo) std::fprintf(stderr, "%s\n", call.c_str());
    calls.push_back(std::move(call));
  }
};

#endif
