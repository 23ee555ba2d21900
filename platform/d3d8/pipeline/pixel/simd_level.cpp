#include "platform/d3d8/pipeline/pixel/simd_level.h"

namespace d3d8sw {

namespace {

SimdLevel WidestFound() {
#if defined(__x86_64__) && defined(__GNUC__)
  // This may run before the compiler's own start-up code has looked at the processor.
  __builtin_cpu_init();
  // The compiler's checks include the operating system's saving of the wider registers.
  if (__builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw") &&
      __builtin_cpu_supports("avx512vl") && __builtin_cpu_supports("avx512dq")) {
    return SimdLevel::Avx512;
  }
  if (__builtin_cpu_supports("avx2")) return SimdLevel::Avx2;
#endif
  return SimdLevel::Baseline;
}

SimdLevel InUse = SimdLevelWidest();

}  // namespace

SimdLevel SimdLevelWidest() {
  static const SimdLevel widest = WidestFound();
  return widest;
}

SimdLevel SimdLevelInUse() { return InUse; }

bool SimdLevelUse(SimdLevel level) {
  if (static_cast<int>(level) > static_cast<int>(SimdLevelWidest())) return false;
  InUse = level;
  return true;
}

}  // namespace d3d8sw
