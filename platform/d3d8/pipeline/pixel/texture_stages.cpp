#include "platform/d3d8/pipeline/pixel/texture_stages.h"

#include <cstdio>
#include <cstring>

#include "platform/d3d8/pipeline/pixel/lane_vectors.h"

namespace d3d8sw {

namespace {

bool OpSupported(DWORD op) { return op >= D3DTOP_DISABLE && op <= D3DTOP_ADD; }

bool ArgReads(DWORD arg, DWORD what) { return (arg & D3DTA_SELECTMASK) == what; }

bool OpReadsArg1(DWORD op) { return op != D3DTOP_DISABLE && op != D3DTOP_SELECTARG2; }
bool OpReadsArg2(DWORD op) { return op != D3DTOP_DISABLE && op != D3DTOP_SELECTARG1; }

// Whether an argument is the diffuse colour: D3DTA_DIFFUSE, or D3DTA_CURRENT on the first stage.
bool ArgIsDiffuse(DWORD arg, int stage) {
  return ArgReads(arg, D3DTA_DIFFUSE) || (stage == 0 && ArgReads(arg, D3DTA_CURRENT));
}

// Whether the stage reads the diffuse colour's alpha: through its alpha operation, or through a
// colour argument that replicates alpha.
bool StageReadsDiffuseAlpha(const StageSetup& s, int stage) {
  auto reads = [stage](DWORD op, DWORD arg1, DWORD arg2, DWORD needed) {
    return (OpReadsArg1(op) && ArgIsDiffuse(arg1, stage) && (arg1 & needed) == needed) ||
           (OpReadsArg2(op) && ArgIsDiffuse(arg2, stage) && (arg2 & needed) == needed);
  };
  return reads(s.alphaOp, s.alphaArg1, s.alphaArg2, 0) ||
         reads(s.colourOp, s.colourArg1, s.colourArg2, D3DTA_ALPHAREPLICATE);
}

bool StageReads(const StageSetup& s, DWORD what) {
  return (OpReadsArg1(s.colourOp) && ArgReads(s.colourArg1, what)) ||
         (OpReadsArg2(s.colourOp) && ArgReads(s.colourArg2, what)) ||
         (OpReadsArg1(s.alphaOp) && ArgReads(s.alphaArg1, what)) ||
         (OpReadsArg2(s.alphaOp) && ArgReads(s.alphaArg2, what));
}

// Says once per operation that the device does not do it; the stage then ends the cascade.
void UnsupportedOperationReport(DWORD op) {
  static bool reported[32] = {};
  if (op < 32 && reported[op]) return;
  if (op < 32) reported[op] = true;
  std::fprintf(stderr,
               "software Direct3D 8 device: texture operation %u is not supported; the stage is "
               "treated as disabled\n",
               static_cast<unsigned>(op));
}

// The colour an argument selects, before its modifiers; the texture factor is spread over
// `scratch`.
D3D8SW_INLINE const ChunkColour* ArgSource(const StageProgram& program, DWORD arg, int stage,
                                           const PixelChunk& chunk, int count,
                                           ChunkColour& scratch) {
  switch (arg & D3DTA_SELECTMASK) {
    case D3DTA_DIFFUSE:
      return &chunk.diffuse;
    case D3DTA_CURRENT:
      // On the first stage the result so far is the diffuse colour.
      return stage == 0 ? &chunk.diffuse : &chunk.current;
    case D3DTA_TEXTURE:
      return &chunk.texture;
    case D3DTA_SPECULAR:
      return &chunk.specular;
    case D3DTA_TFACTOR:
      for (int p = 0; p < 2; ++p) {
        for (int i = 0; i < count; ++i) scratch[p][i] = program.factor[p];
      }
      return &scratch;
    default:  // D3DTA_TEMP needs D3DTSS_RESULTARG, which the device leaves at CURRENT
      return &chunk.current;
  }
}

// The colour an argument names, with its modifiers applied in `scratch` when it has any.
D3D8SW_INLINE const ChunkColour& ArgColour(const StageProgram& program, DWORD arg, int stage,
                                           const PixelChunk& chunk, ChunkColour& scratch) {
  const int count = GroupPixels * GroupCount(chunk.count);
  const ChunkColour* source = ArgSource(program, arg, stage, chunk, count, scratch);
  if (arg & D3DTA_ALPHAREPLICATE) {
    for (int i = 0; i < count; ++i) {
      const uint32_t alpha = (*source)[1][i] >> 16;
      scratch[0][i] = scratch[1][i] = alpha | alpha << 16;
    }
    source = &scratch;
  }
  if (arg & D3DTA_COMPLEMENT) {
    // 65535 - lane, in each half.
    for (int p = 0; p < 2; ++p) {
      for (int i = 0; i < count; ++i) scratch[p][i] = ~(*source)[p][i];
    }
    source = &scratch;
  }
  return *source;
}

// Doubles or quadruples the products in `out`, saturated. The shift is each loop's constant:
// WebAssembly's vector shifts take one count for every lane, which its compiler finds in a
// constant, not in a variable, and shifts lane by lane otherwise.
template <int N, int Shift>
D3D8SW_INLINE void ProductsScale(int count, uint32_t* out) {
  for (int i = 0; i < count; i += N) {
    const HalfWords<N> product = (HalfWords<N>)VectorLoad<Words<N>>(out + i);
    // All ones where it saturates.
    const HalfWords<N> overflows = (product >> (16 - Shift)) != 0;
    VectorStore(out + i, (Words<N>)((product << Shift) | overflows));
  }
}

// out = op(a, b), lane by lane, over `count` pixels of a plane; out may be a or b.
template <int N>
D3D8SW_INLINE void PlaneOperationApply(DWORD op, const uint32_t* a, const uint32_t* b, int count,
                                       uint32_t* out) {
  switch (op) {
    case D3DTOP_SELECTARG1:
      std::memmove(out, a, count * sizeof *out);
      break;
    case D3DTOP_SELECTARG2:
      std::memmove(out, b, count * sizeof *out);
      break;
    case D3DTOP_ADD:
      for (int i = 0; i < count; i += N) {
        const HalfWords<N> x = (HalfWords<N>)VectorLoad<Words<N>>(a + i);
        const HalfWords<N> sum = x + (HalfWords<N>)VectorLoad<Words<N>>(b + i);
        VectorStore(out + i, (Words<N>)(sum < x ? HalfWords<N>{} + LaneOne : sum));  // saturated
      }
      break;
    default: {  // the modulations: a * b, then doubled or quadrupled and saturated
      // A plain loop: the compiler makes a * b / 65536 one high-half multiply, which it does
      // not do for vectors written out. That is at most one lane below a * b / 65535: the same
      // byte in the end.
      const uint16_t* a16 = reinterpret_cast<const uint16_t*>(a);
      const uint16_t* b16 = reinterpret_cast<const uint16_t*>(b);
      uint16_t* out16 = reinterpret_cast<uint16_t*>(out);
      for (int i = 0; i < 2 * count; ++i) {
        out16[i] = static_cast<uint16_t>((uint32_t{a16[i]} * b16[i]) >> 16);
      }
      if (op == D3DTOP_MODULATE4X) ProductsScale<N, 2>(count, out);
      if (op == D3DTOP_MODULATE2X) ProductsScale<N, 1>(count, out);
      break;
    }
  }
}

template <int N>
D3D8SW_INLINE void OperationApply(DWORD op, const ChunkColour& a, const ChunkColour& b, int groups,
                                  ChunkColour& out) {
  for (int p = 0; p < 2; ++p) {
    PlaneOperationApply<N>(op, a[p], b[p], GroupPixels * groups, out[p]);
  }
}

// The alpha lanes of `alpha` into `out`.
template <int N>
D3D8SW_INLINE void AlphaMerge(const ChunkColour& alpha, int groups, ChunkColour& out) {
  for (int i = 0; i < GroupPixels * groups; i += N) {
    VectorStore(out[1] + i, (VectorLoad<Words<N>>(out[1] + i) & LaneOne) |
                                (VectorLoad<Words<N>>(alpha[1] + i) & ~Words<N>{} << 16));
  }
}

template <int N>
D3D8SW_INLINE void StageApplyBody(const StageProgram& program, int stage, PixelChunk& chunk) {
  const StageSetup& s = program.stages[stage];
  const int groups = GroupCount(chunk.count);
  alignas(64) ChunkColour scratch[4];
  const ChunkColour& c1 = ArgColour(program, s.colourArg1, stage, chunk, scratch[0]);
  const ChunkColour& c2 = ArgColour(program, s.colourArg2, stage, chunk, scratch[1]);
  // Alpha first: its arguments may read chunk.current, which the colour result overwrites.
  const bool alphaLikeColour =
      s.alphaOp == s.colourOp && s.alphaArg1 == s.colourArg1 && s.alphaArg2 == s.colourArg2;
  const ChunkColour* alpha = nullptr;
  if (!alphaLikeColour) {
    const ChunkColour& a1 = ArgColour(program, s.alphaArg1, stage, chunk, scratch[2]);
    const ChunkColour& a2 = ArgColour(program, s.alphaArg2, stage, chunk, scratch[3]);
    if (s.alphaOp == D3DTOP_SELECTARG1 && &a1 != &chunk.current) {
      alpha = &a1;
    } else if (s.alphaOp == D3DTOP_SELECTARG2 && &a2 != &chunk.current) {
      alpha = &a2;
    } else {
      OperationApply<N>(s.alphaOp, a1, a2, groups, scratch[2]);
      alpha = &scratch[2];
    }
  }
  OperationApply<N>(s.colourOp, c1, c2, groups, chunk.current);
  if (alpha != nullptr) AlphaMerge<N>(*alpha, groups, chunk.current);
}

// The specular colour adds to red, green and blue, saturated; alpha stays.
template <int N>
D3D8SW_INLINE void StagesEndBody(const StageProgram& program, PixelChunk& chunk) {
  if (!program.addsSpecular) return;
  const uint32_t noAlpha[2] = {~0u, LaneOne};
  for (int p = 0; p < 2; ++p) {
    for (int i = 0; i < GroupPixels * GroupCount(chunk.count); i += N) {
      const HalfWords<N> x = (HalfWords<N>)VectorLoad<Words<N>>(chunk.current[p] + i);
      const HalfWords<N> sum =
          x + (HalfWords<N>)(VectorLoad<Words<N>>(chunk.specular[p] + i) & noAlpha[p]);
      VectorStore(chunk.current[p] + i, (Words<N>)(sum < x ? HalfWords<N>{} + LaneOne : sum));
    }
  }
}

}  // namespace

StageProgram StageProgramBuild(const PipelineState& state) {
  StageProgram program;
  for (int s = 0; s < TextureStageCount; ++s) {
    const DWORD* ts = state.stageStates[s];
    StageSetup stage = {ts[D3DTSS_COLOROP],
                        ts[D3DTSS_COLORARG1],
                        ts[D3DTSS_COLORARG2],
                        ts[D3DTSS_ALPHAOP],
                        ts[D3DTSS_ALPHAARG1],
                        ts[D3DTSS_ALPHAARG2],
                        false};
    if (stage.colourOp == D3DTOP_DISABLE) break;
    if (!OpSupported(stage.colourOp)) {
      UnsupportedOperationReport(stage.colourOp);
      break;
    }
    if (!OpSupported(stage.alphaOp)) {
      UnsupportedOperationReport(stage.alphaOp);
      stage.alphaOp = D3DTOP_DISABLE;
    }
    // A disabled alpha operation under an enabled colour one keeps the alpha so far.
    if (stage.alphaOp == D3DTOP_DISABLE) {
      stage.alphaOp = D3DTOP_SELECTARG1;
      stage.alphaArg1 = D3DTA_CURRENT;
    }
    stage.samplesTexture = StageReads(stage, D3DTA_TEXTURE);
    program.usesDiffuse = program.usesDiffuse || StageReads(stage, D3DTA_DIFFUSE) ||
                          (s == 0 && StageReads(stage, D3DTA_CURRENT));
    program.usesDiffuseAlpha = program.usesDiffuseAlpha || StageReadsDiffuseAlpha(stage, s);
    program.usesSpecular = program.usesSpecular || StageReads(stage, D3DTA_SPECULAR);
    program.stages[program.count++] = stage;
  }
  // With no stage at all the diffuse colour is the result.
  if (program.count == 0) program.usesDiffuse = program.usesDiffuseAlpha = true;
  program.addsSpecular = state.renderStates[D3DRS_SPECULARENABLE] != FALSE;
  program.usesSpecular = program.usesSpecular || program.addsSpecular;
  PlanesFromColour(state.renderStates[D3DRS_TEXTUREFACTOR], program.factor);
  return program;
}

void StagesBegin(const StageProgram& program, PixelChunk& chunk) {
  if (program.count == 0) std::memcpy(chunk.current, chunk.diffuse, sizeof chunk.current);
}

D3D8SW_SIMD_ENTRY(void, StageApply, (const StageProgram& program, int stage, PixelChunk& chunk),
                  (program, stage, chunk))

D3D8SW_SIMD_ENTRY(void, StagesEnd, (const StageProgram& program, PixelChunk& chunk),
                  (program, chunk))

}  // namespace d3d8sw
