#include "platform/d3d8/pipeline/state_defaults.h"

#include <cstring>

namespace d3d8sw {

namespace {

DWORD FloatBits(float value) {
  DWORD bits;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

// Render states whose documented default is not zero.
struct Default {
  D3DRENDERSTATETYPE state;
  DWORD value;
};

const Default RenderStateDefaults[] = {
    {D3DRS_FILLMODE, D3DFILL_SOLID},
    {D3DRS_SHADEMODE, D3DSHADE_GOURAUD},
    {D3DRS_ZWRITEENABLE, TRUE},
    {D3DRS_LASTPIXEL, TRUE},
    {D3DRS_SRCBLEND, D3DBLEND_ONE},
    {D3DRS_DESTBLEND, D3DBLEND_ZERO},
    {D3DRS_CULLMODE, D3DCULL_CCW},
    {D3DRS_ZFUNC, D3DCMP_LESSEQUAL},
    {D3DRS_ALPHAFUNC, D3DCMP_ALWAYS},
    {D3DRS_FOGEND, FloatBits(1.0f)},
    {D3DRS_FOGDENSITY, FloatBits(1.0f)},
    {D3DRS_STENCILFAIL, D3DSTENCILOP_KEEP},
    {D3DRS_STENCILZFAIL, D3DSTENCILOP_KEEP},
    {D3DRS_STENCILPASS, D3DSTENCILOP_KEEP},
    {D3DRS_STENCILFUNC, D3DCMP_ALWAYS},
    {D3DRS_STENCILMASK, 0xFFFFFFFF},
    {D3DRS_STENCILWRITEMASK, 0xFFFFFFFF},
    {D3DRS_TEXTUREFACTOR, 0xFFFFFFFF},
    {D3DRS_CLIPPING, TRUE},
    {D3DRS_LIGHTING, TRUE},
    {D3DRS_COLORVERTEX, TRUE},
    {D3DRS_LOCALVIEWER, TRUE},
    {D3DRS_DIFFUSEMATERIALSOURCE, D3DMCS_COLOR1},
    {D3DRS_SPECULARMATERIALSOURCE, D3DMCS_COLOR2},
    {D3DRS_POINTSIZE, FloatBits(1.0f)},
    {D3DRS_POINTSIZE_MAX, FloatBits(64.0f)},
    {D3DRS_POINTSCALE_A, FloatBits(1.0f)},
    {D3DRS_MULTISAMPLEANTIALIAS, TRUE},
    {D3DRS_MULTISAMPLEMASK, 0xFFFFFFFF},
    {D3DRS_PATCHSEGMENTS, FloatBits(1.0f)},
    {D3DRS_POSITIONORDER, D3DORDER_CUBIC},
    {D3DRS_NORMALORDER, D3DORDER_LINEAR},
    {D3DRS_COLORWRITEENABLE, 0x0000000F},
    {D3DRS_BLENDOP, D3DBLENDOP_ADD},
};

}  // namespace

void RenderStatesReset(DWORD (&states)[RenderStateCount], bool hasDepthBuffer) {
  std::memset(states, 0, sizeof states);
  for (const Default& d : RenderStateDefaults) states[d.state] = d.value;
  // Depth testing is on by default only for a device that was given a depth buffer.
  states[D3DRS_ZENABLE] = hasDepthBuffer ? D3DZB_TRUE : D3DZB_FALSE;
}

void StageStatesReset(DWORD (&states)[StageStateCount], int stage) {
  std::memset(states, 0, sizeof states);
  // Only the first stage does anything until told otherwise.
  states[D3DTSS_COLOROP] = stage == 0 ? D3DTOP_MODULATE : D3DTOP_DISABLE;
  states[D3DTSS_COLORARG1] = D3DTA_TEXTURE;
  states[D3DTSS_COLORARG2] = D3DTA_CURRENT;
  states[D3DTSS_ALPHAOP] = stage == 0 ? D3DTOP_SELECTARG1 : D3DTOP_DISABLE;
  states[D3DTSS_ALPHAARG1] = D3DTA_TEXTURE;
  states[D3DTSS_ALPHAARG2] = D3DTA_CURRENT;
  states[D3DTSS_TEXCOORDINDEX] = static_cast<DWORD>(stage);
  states[D3DTSS_ADDRESSU] = D3DTADDRESS_WRAP;
  states[D3DTSS_ADDRESSV] = D3DTADDRESS_WRAP;
  states[D3DTSS_ADDRESSW] = D3DTADDRESS_WRAP;
  states[D3DTSS_MAGFILTER] = D3DTEXF_POINT;
  states[D3DTSS_MINFILTER] = D3DTEXF_POINT;
  states[D3DTSS_MIPFILTER] = D3DTEXF_NONE;
  states[D3DTSS_MAXANISOTROPY] = 1;
  states[D3DTSS_COLORARG0] = D3DTA_CURRENT;
  states[D3DTSS_ALPHAARG0] = D3DTA_CURRENT;
  states[D3DTSS_RESULTARG] = D3DTA_CURRENT;
}

}  // namespace d3d8sw
