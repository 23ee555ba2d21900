#include "doubles/d3d8_names.h"

#include <cstdio>
#include <initializer_list>

namespace {

struct Named {
  DWORD value;
  const char* name;
};
#define NAMED(constant) \
  Named { static_cast<DWORD>(constant), #constant }

const char* NameOf(DWORD value, std::initializer_list<Named> names) {
  for (const Named& named : names) {
    if (named.value == value) return named.name;
  }
  return nullptr;
}

std::string ValueName(DWORD value, std::initializer_list<Named> names) {
  const char* name = NameOf(value, names);
  return name ? name : std::to_string(value);
}

std::string Hex(DWORD value) {
  char text[11];
  std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(value));
  return text;
}

// Flags joined with " | " in the order given; bits without a name follow in hexadecimal.
std::string FlagsName(DWORD flags, std::initializer_list<Named> names) {
  if (flags == 0) return "0";
  std::string text;
  for (const Named& named : names) {
    if (named.value == 0 || (flags & named.value) != named.value) continue;
    text += (text.empty() ? "" : " | ") + std::string(named.name);
    flags &= ~named.value;
  }
  if (flags != 0) text += (text.empty() ? "" : " | ") + Hex(flags);
  return text;
}

// Render states that are TRUE or FALSE.
const std::initializer_list<Named> BooleanStates = {
    NAMED(D3DRS_ZWRITEENABLE),   NAMED(D3DRS_ALPHABLENDENABLE), NAMED(D3DRS_FOGENABLE),
    NAMED(D3DRS_SPECULARENABLE), NAMED(D3DRS_CLIPPING),         NAMED(D3DRS_LIGHTING),
    NAMED(D3DRS_COLORVERTEX),    NAMED(D3DRS_LOCALVIEWER),      NAMED(D3DRS_NORMALIZENORMALS)};

}  // namespace

std::string RenderStateName(D3DRENDERSTATETYPE state) {
  if (const char* name = NameOf(state, BooleanStates)) return name;
  return ValueName(state,
                   {NAMED(D3DRS_ZENABLE), NAMED(D3DRS_FILLMODE), NAMED(D3DRS_SHADEMODE),
                    NAMED(D3DRS_SRCBLEND), NAMED(D3DRS_DESTBLEND), NAMED(D3DRS_CULLMODE),
                    NAMED(D3DRS_ZFUNC), NAMED(D3DRS_TEXTUREFACTOR), NAMED(D3DRS_AMBIENT),
                    NAMED(D3DRS_DIFFUSEMATERIALSOURCE), NAMED(D3DRS_SPECULARMATERIALSOURCE),
                    NAMED(D3DRS_AMBIENTMATERIALSOURCE), NAMED(D3DRS_EMISSIVEMATERIALSOURCE)});
}

std::string RenderStateValueName(D3DRENDERSTATETYPE state, DWORD value) {
  if (NameOf(state, BooleanStates)) return BoolName(static_cast<BOOL>(value));
  switch (state) {
    case D3DRS_ZENABLE:
      return ValueName(value, {NAMED(D3DZB_FALSE), NAMED(D3DZB_TRUE), NAMED(D3DZB_USEW)});
    case D3DRS_SHADEMODE:
      return ValueName(value, {NAMED(D3DSHADE_FLAT), NAMED(D3DSHADE_GOURAUD)});
    case D3DRS_CULLMODE:
      return ValueName(value, {NAMED(D3DCULL_NONE), NAMED(D3DCULL_CW), NAMED(D3DCULL_CCW)});
    case D3DRS_AMBIENT:
    case D3DRS_TEXTUREFACTOR:
      return ColourName(value);
    default:
      return std::to_string(value);
  }
}

std::string StageStateName(D3DTEXTURESTAGESTATETYPE type) {
  return ValueName(type,
                   {NAMED(D3DTSS_COLOROP), NAMED(D3DTSS_COLORARG1), NAMED(D3DTSS_COLORARG2),
                    NAMED(D3DTSS_ALPHAOP), NAMED(D3DTSS_ALPHAARG1), NAMED(D3DTSS_ALPHAARG2),
                    NAMED(D3DTSS_TEXCOORDINDEX), NAMED(D3DTSS_ADDRESSU), NAMED(D3DTSS_ADDRESSV),
                    NAMED(D3DTSS_BORDERCOLOR), NAMED(D3DTSS_MAGFILTER), NAMED(D3DTSS_MINFILTER),
                    NAMED(D3DTSS_MIPFILTER)});
}

std::string StageStateValueName(D3DTEXTURESTAGESTATETYPE type, DWORD value) {
  switch (type) {
    case D3DTSS_COLOROP:
    case D3DTSS_ALPHAOP:
      return ValueName(value,
                       {NAMED(D3DTOP_DISABLE), NAMED(D3DTOP_SELECTARG1), NAMED(D3DTOP_SELECTARG2),
                        NAMED(D3DTOP_MODULATE), NAMED(D3DTOP_MODULATE2X), NAMED(D3DTOP_MODULATE4X),
                        NAMED(D3DTOP_ADD)});
    case D3DTSS_COLORARG1:
    case D3DTSS_COLORARG2:
    case D3DTSS_ALPHAARG1:
    case D3DTSS_ALPHAARG2: {
      const std::string modifiers = FlagsName(
          value & ~DWORD{D3DTA_SELECTMASK}, {NAMED(D3DTA_COMPLEMENT), NAMED(D3DTA_ALPHAREPLICATE)});
      return ValueName(value & D3DTA_SELECTMASK,
                       {NAMED(D3DTA_DIFFUSE), NAMED(D3DTA_CURRENT), NAMED(D3DTA_TEXTURE),
                        NAMED(D3DTA_TFACTOR), NAMED(D3DTA_SPECULAR), NAMED(D3DTA_TEMP)}) +
             (modifiers == "0" ? "" : " | " + modifiers);
    }
    case D3DTSS_MAGFILTER:
    case D3DTSS_MINFILTER:
    case D3DTSS_MIPFILTER:
      return ValueName(value, {NAMED(D3DTEXF_NONE), NAMED(D3DTEXF_POINT), NAMED(D3DTEXF_LINEAR),
                               NAMED(D3DTEXF_ANISOTROPIC)});
    case D3DTSS_ADDRESSU:
    case D3DTSS_ADDRESSV:
      return ValueName(
          value, {NAMED(D3DTADDRESS_WRAP), NAMED(D3DTADDRESS_MIRROR), NAMED(D3DTADDRESS_CLAMP),
                  NAMED(D3DTADDRESS_BORDER), NAMED(D3DTADDRESS_MIRRORONCE)});
    case D3DTSS_BORDERCOLOR:
      return ColourName(value);
    default:
      return std::to_string(value);
  }
}

std::string TransformStateName(D3DTRANSFORMSTATETYPE state) {
  return ValueName(state, {NAMED(D3DTS_WORLD), NAMED(D3DTS_VIEW), NAMED(D3DTS_PROJECTION),
                           NAMED(D3DTS_TEXTURE0)});
}

std::string PrimitiveTypeName(D3DPRIMITIVETYPE type) {
  return ValueName(
      type, {NAMED(D3DPT_POINTLIST), NAMED(D3DPT_LINELIST), NAMED(D3DPT_LINESTRIP),
             NAMED(D3DPT_TRIANGLELIST), NAMED(D3DPT_TRIANGLESTRIP), NAMED(D3DPT_TRIANGLEFAN)});
}

std::string FormatName(D3DFORMAT format) {
  return ValueName(format, {NAMED(D3DFMT_UNKNOWN), NAMED(D3DFMT_A8R8G8B8), NAMED(D3DFMT_X8R8G8B8),
                            NAMED(D3DFMT_R5G6B5), NAMED(D3DFMT_X1R5G5B5), NAMED(D3DFMT_D32),
                            NAMED(D3DFMT_D24X8), NAMED(D3DFMT_D16)});
}

std::string PoolName(D3DPOOL pool) {
  return ValueName(pool, {NAMED(D3DPOOL_DEFAULT), NAMED(D3DPOOL_MANAGED), NAMED(D3DPOOL_SYSTEMMEM),
                          NAMED(D3DPOOL_SCRATCH)});
}

std::string DeviceTypeName(D3DDEVTYPE type) {
  return ValueName(type, {NAMED(D3DDEVTYPE_HAL), NAMED(D3DDEVTYPE_REF), NAMED(D3DDEVTYPE_SW)});
}

std::string ResourceTypeName(D3DRESOURCETYPE type) {
  return ValueName(
      type, {NAMED(D3DRTYPE_SURFACE), NAMED(D3DRTYPE_TEXTURE), NAMED(D3DRTYPE_VERTEXBUFFER)});
}

std::string UsageName(DWORD usage) {
  return FlagsName(usage, {NAMED(D3DUSAGE_RENDERTARGET), NAMED(D3DUSAGE_DEPTHSTENCIL),
                           NAMED(D3DUSAGE_WRITEONLY), NAMED(D3DUSAGE_DYNAMIC)});
}

std::string FvfName(DWORD fvf) {
  return FlagsName(fvf, {NAMED(D3DFVF_XYZRHW), NAMED(D3DFVF_XYZ), NAMED(D3DFVF_NORMAL),
                         NAMED(D3DFVF_DIFFUSE), NAMED(D3DFVF_SPECULAR), NAMED(D3DFVF_TEX1)});
}

std::string ClearFlagsName(DWORD flags) {
  return FlagsName(flags,
                   {NAMED(D3DCLEAR_TARGET), NAMED(D3DCLEAR_ZBUFFER), NAMED(D3DCLEAR_STENCIL)});
}

std::string BehaviorFlagsName(DWORD flags) {
  return FlagsName(flags, {NAMED(D3DCREATE_SOFTWARE_VERTEXPROCESSING),
                           NAMED(D3DCREATE_HARDWARE_VERTEXPROCESSING),
                           NAMED(D3DCREATE_MIXED_VERTEXPROCESSING), NAMED(D3DCREATE_PUREDEVICE),
                           NAMED(D3DCREATE_MULTITHREADED), NAMED(D3DCREATE_FPU_PRESERVE)});
}

std::string BoolName(BOOL value) {
  return ValueName(static_cast<DWORD>(value), {NAMED(FALSE), NAMED(TRUE)});
}

std::string ColourName(D3DCOLOR colour) { return Hex(colour); }
