# Cross build for 32-bit Windows with mingw-w64; test programs run under Wine.
set(CMAKE_SYSTEM_PROCESSOR x86)
set(VELKOR_MINGW_PREFIX i686-w64-mingw32)
set(VELKOR_WINE wine)
include(${CMAKE_CURRENT_LIST_DIR}/MingwToolchain.cmake)

# SSE arithmetic rounds every float like the 64-bit builds; x87 would not.
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse")
