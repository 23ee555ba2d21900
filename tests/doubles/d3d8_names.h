// The names Direct3D 8 code writes for the values the test doubles receive, so that a logged
// call reads like the call in the code: "SetTextureStageState(0, D3DTSS_MINFILTER,
// D3DTEXF_LINEAR)". A value without a name here is written as its number.
#ifndef VELKOR_TESTS_DOUBLES_D3D8_NAMES_H
#define VELKOR_TESTS_DOUBLES_D3D8_NAMES_H

#include <string>

#include "device/direct3d.h"

std::string RenderStateName(D3DRENDERSTATETYPE state);
std::string RenderStateValueName(D3DRENDERSTATETYPE state, DWORD value);
std::string StageStateName(D3DTEXTURESTAGESTATETYPE type);
std::string StageStateValueName(D3DTEXTURESTAGESTATETYPE type, DWORD value);
std::string TransformStateName(D3DTRANSFORMSTATETYPE state);
std::string PrimitiveTypeName(D3DPRIMITIVETYPE type);
std::string FormatName(D3DFORMAT format);
std::string PoolName(D3DPOOL pool);
std::string DeviceTypeName(D3DDEVTYPE type);
std::string ResourceTypeName(D3DRESOURCETYPE type);
std::string UsageName(DWORD usage);
std::string FvfName(DWORD fvf);
std::string ClearFlagsName(DWORD flags);
std::string BehaviorFlagsName(DWORD flags);
std::string BoolName(BOOL value);
// A D3DCOLOR as the code writes it: 0xAARRGGBB.
std::string ColourName(D3DCOLOR colour);

#endif
