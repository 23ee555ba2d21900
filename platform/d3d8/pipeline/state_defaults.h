// The documented defaults of a device's render states and texture stage states.
#ifndef VELKOR_PLATFORM_D3D8_PIPELINE_STATE_DEFAULTS_H
#define VELKOR_PLATFORM_D3D8_PIPELINE_STATE_DEFAULTS_H

#include "platform/d3d8/pipeline/pipeline_state.h"

namespace d3d8sw {

// Every render state at its default; depth testing is on only for a device given a depth
// buffer.
void RenderStatesReset(DWORD (&states)[RenderStateCount], bool hasDepthBuffer);

// Every state of texture stage `stage` at its default.
void StageStatesReset(DWORD (&states)[StageStateCount], int stage);

}  // namespace d3d8sw

#endif
