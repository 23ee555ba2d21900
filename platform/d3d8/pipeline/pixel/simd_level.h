// The per-pixel passes are written once, in the vector extension GCC and Clang share, and built
// for each level of processor below: x86-64 has all three, other processors (aarch64, whose NEON
// registers hold the baseline's four lanes) their baseline alone. The widest level this processor
// runs is chosen once, at start-up. Every level computes the same values lane for lane, so each
// draws the same pixels.
#ifndef VELKOR_PLATFORM_D3D8_PIPELINE_PIXEL_SIMD_LEVEL_H
#define VELKOR_PLATFORM_D3D8_PIPELINE_PIXEL_SIMD_LEVEL_H

namespace d3d8sw {

enum class SimdLevel {
  Baseline,  // what the build targets: SSE2 on x86-64, NEON on aarch64, the only level there
  Avx2,      // 256-bit vectors
  Avx512,    // 512-bit vectors (F, BW, VL, DQ)
};

// The widest level this processor runs.
SimdLevel SimdLevelWidest();

// The level the passes run at: the widest, unless SimdLevelUse chose another.
SimdLevel SimdLevelInUse();

// Runs the passes at `level` from now on; false, changing nothing, when this processor cannot.
// For comparing the levels' pixels and speeds.
bool SimdLevelUse(SimdLevel level);

}  // namespace d3d8sw

// Pass bodies and everything they call are always inlined, so that each is built for the level
// of the entry point it is inlined into.
#define D3D8SW_INLINE inline __attribute__((always_inline))

#if defined(__x86_64__) && defined(__GNUC__)
// Defines `result name params`, running `name##Body<N> args` (a D3D8SW_INLINE function template
// over N 32-bit lanes a vector) as built for the level in use, with that level's register width.
#define D3D8SW_SIMD_ENTRY(result, name, params, args)                                            \
  __attribute__((                                                                                \
      target("avx512f,avx512bw,avx512vl,avx512dq"))) static result name##Avx512 params {         \
    return name##Body<16> args;                                                                  \
  }                                                                                              \
  __attribute__((target("avx2"))) static result name##Avx2 params { return name##Body<8> args; } \
  static result name##Baseline params { return name##Body<4> args; }                             \
  result name params {                                                                           \
    switch (SimdLevelInUse()) {                                                                  \
      case SimdLevel::Avx512:                                                                    \
        return name##Avx512 args;                                                                \
      case SimdLevel::Avx2:                                                                      \
        return name##Avx2 args;                                                                  \
      default:                                                                                   \
        return name##Baseline args;                                                              \
    }                                                                                            \
  }
#else
// Elsewhere the baseline's 128-bit registers.
#define D3D8SW_SIMD_ENTRY(result, name, params, args) \
  result name params { return name##Body<4> args; }
#endif

#endif
