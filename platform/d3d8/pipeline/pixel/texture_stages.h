// The texture stages: each combines two arguments (the texture, the diffuse colour, the
// result so far, ...) with one operation, for colour and alpha separately, saturated.
#ifndef VELKOR_PLATFORM_D3D8_PIPELINE_PIXEL_TEXTURE_STAGES_H
#define VELKOR_PLATFORM_D3D8_PIPELINE_PIXEL_TEXTURE_STAGES_H

#include "platform/d3d8/pipeline/pipeline_state.h"
#include "platform/d3d8/pipeline/pixel/pixel_chunk.h"

namespace d3d8sw {

struct StageSetup {
  DWORD colourOp, colourArg1, colourArg2;
  DWORD alphaOp, alphaArg1, alphaArg2;
  bool samplesTexture;  // an argument of this stage reads D3DTA_TEXTURE
};

struct StageProgram {
  int count = 0;  // stages before the first whose colour operation is DISABLE
  StageSetup stages[TextureStageCount];
  bool usesDiffuse = false;
  bool usesDiffuseAlpha = false;
  bool usesSpecular = false;  // as an argument, or added after the last stage
  bool addsSpecular = false;  // D3DRS_SPECULARENABLE
  uint32_t factor[2];         // D3DRS_TEXTUREFACTOR as the planes of lanes
};

StageProgram StageProgramBuild(const PipelineState& state);

// Combines stage `stage` of the program into chunk.current, reading chunk.texture as that
// stage's sample.
void StageApply(const StageProgram& program, int stage, PixelChunk& chunk);

// What the stages leave when none is enabled, and the specular sum after the last one.
void StagesBegin(const StageProgram& program, PixelChunk& chunk);
void StagesEnd(const StageProgram& program, PixelChunk& chunk);

}  // namespace d3d8sw

#endif
