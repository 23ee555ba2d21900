#include "platform/d3d8/texture_stages.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "platform/d3d8/lane_vectors.h"

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

// The lanes an argument names, with its modifiers applied in `scratch` when it has any.
const uint16_t* ArgLanes(const StageProgram& program, DWORD arg, int stage, const PixelChunk& chunk,
                         uint16_t* scratch) {
  const int lanes = GroupLanes * GroupCount(chunk.count);
  const uint16_t* source;
  switch (arg & D3DTA_SELECTMASK) {
    case D3DTA_DIFFUSE:
      source = chunk.diffuse;
      break;
    case D3DTA_CURRENT:
      // On the first stage the result so far is the diffuse colour.
      source = stage == 0 ? chunk.diffuse : chunk.current;
      break;
    case D3DTA_TEXTURE:
      source = chunk.texture;
      break;
    case D3DTA_SPECULAR:
      source = chunk.specular;
      break;
    case D3DTA_TFACTOR:
      for (int i = 0; i < lanes; ++i) scratch[i] = program.factor[i & 3];
      source = scratch;
      break;
    default:  // D3DTA_TEMP needs D3DTSS_RESULTARG, which the device leaves at CURRENT
      source = chunk.current;
      break;
  }
  if (arg & D3DTA_ALPHAREPLICATE) {
    for (int i = 0; i < lanes; ++i) scratch[i] = source[i | 3];
    source = scratch;
  }
  if (arg & D3DTA_COMPLEMENT) {
    for (int i = 0; i < lanes; ++i) scratch[i] = static_cast<uint16_t>(LaneOne - source[i]);
    source = scratch;
  }
  return source;
}

// out = op(a, b) over `groups` groups of lanes; out may be a or b.
D3D8SW_PIXEL_PASS
void OperationApply(DWORD op, const uint16_t* a, const uint16_t* b, int groups, uint16_t* out) {
  const int lanes = GroupLanes * groups;
  switch (op) {
    case D3DTOP_SELECTARG1:
      std::memmove(out, a, lanes * sizeof *out);
      break;
    case D3DTOP_SELECTARG2:
      std::memmove(out, b, lanes * sizeof *out);
      break;
    case D3DTOP_ADD:
      for (int i = 0; i < lanes; i += 16) {
        const U16x16 x = VectorLoad<U16x16>(a + i), y = VectorLoad<U16x16>(b + i);
        const U16x16 sum = x + y;
        VectorStore(out + i, sum < x ? U16x16{} + LaneOne : sum);  // saturated
      }
      break;
    default: {  // the modulations: a * b, then doubled or quadrupled and saturated
      // A plain loop: the compiler makes a * b / 65536 one high-half multiply, which it does
      // not do for vectors written out. That is at most one lane below a * b / 65535: the same
      // byte in the end.
      for (int i = 0; i < lanes; ++i) {
        out[i] = static_cast<uint16_t>((uint32_t{a[i]} * b[i]) >> 16);
      }
      const int shift = op == D3DTOP_MODULATE4X ? 2 : (op == D3DTOP_MODULATE2X ? 1 : 0);
      if (shift == 0) break;
      for (int i = 0; i < lanes; i += 16) {
        const U16x16 product = VectorLoad<U16x16>(out + i);
        const U16x16 overflows = (product >> (16 - shift)) != 0;  // all ones where it saturates
        VectorStore(out + i, (product << shift) | overflows);
      }
      break;
    }
  }
}

// The alpha lane of each pixel of `alpha` into `out`.
D3D8SW_PIXEL_PASS
void AlphaMerge(const uint16_t* alpha, int groups, uint16_t* out) {
  constexpr U16x16 AlphaLanes = {0, 0, 0, 0xFFFF, 0, 0, 0, 0xFFFF,
                                 0, 0, 0, 0xFFFF, 0, 0, 0, 0xFFFF};
  for (int i = 0; i < GroupLanes * groups; i += 16) {
    VectorStore(out + i, (VectorLoad<U16x16>(out + i) & ~AlphaLanes) |
                             (VectorLoad<U16x16>(alpha + i) & AlphaLanes));
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
  LanesFromColour(state.renderStates[D3DRS_TEXTUREFACTOR], program.factor);
  return program;
}

void StagesBegin(const StageProgram& program, PixelChunk& chunk) {
  if (program.count == 0) std::memcpy(chunk.current, chunk.diffuse, sizeof chunk.current);
}

void StageApply(const StageProgram& program, int stage, PixelChunk& chunk) {
  const StageSetup& s = program.stages[stage];
  const int groups = GroupCount(chunk.count);
  alignas(32) uint16_t scratch[4][ChunkLanes];
  const uint16_t* c1 = ArgLanes(program, s.colourArg1, stage, chunk, scratch[0]);
  const uint16_t* c2 = ArgLanes(program, s.colourArg2, stage, chunk, scratch[1]);
  // Alpha first: its arguments may read chunk.current, which the colour result overwrites.
  const bool alphaLikeColour =
      s.alphaOp == s.colourOp && s.alphaArg1 == s.colourArg1 && s.alphaArg2 == s.colourArg2;
  const uint16_t* alpha = nullptr;
  if (!alphaLikeColour) {
    const uint16_t* a1 = ArgLanes(program, s.alphaArg1, stage, chunk, scratch[2]);
    const uint16_t* a2 = ArgLanes(program, s.alphaArg2, stage, chunk, scratch[3]);
    if (s.alphaOp == D3DTOP_SELECTARG1 && a1 != chunk.current) {
      alpha = a1;
    } else if (s.alphaOp == D3DTOP_SELECTARG2 && a2 != chunk.current) {
      alpha = a2;
    } else {
      OperationApply(s.alphaOp, a1, a2, groups, scratch[2]);
      alpha = scratch[2];
    }
  }
  OperationApply(s.colourOp, c1, c2, groups, chunk.current);
  if (alpha != nullptr) AlphaMerge(alpha, groups, chunk.current);
}

void StagesEnd(const StageProgram& program, PixelChunk& chunk) {
  if (!program.addsSpecular) return;
  const int lanes = GroupLanes * GroupCount(chunk.count);
  for (int i = 0; i < lanes; ++i) {
    // The specular colour adds to red, green and blue; alpha stays.
    const uint32_t sum = uint32_t{chunk.current[i]} + ((i & 3) == 3 ? 0u : chunk.specular[i]);
    chunk.current[i] = static_cast<uint16_t>(std::min<uint32_t>(sum, LaneOne));
  }
}

}  // namespace d3d8sw
