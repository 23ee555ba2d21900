# Shared by the mingw-w64 toolchain files: VELKOR_MINGW_PREFIX names the compilers and
# VELKOR_WINE the Wine loader that runs the test programs.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${VELKOR_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VELKOR_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${VELKOR_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${VELKOR_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# No mingw runtime DLLs beside the executables.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# Windows programs run under Wine in a private prefix inside the build tree, on a private X
# server: Wine's Direct3D draws through OpenGL, which needs a display.
get_filename_component(VELKOR_SOURCE_DIR ${CMAKE_CURRENT_LIST_DIR} DIRECTORY)
set(VELKOR_WINE_PREFIX ${CMAKE_BINARY_DIR}/wineprefix)
set(CMAKE_CROSSCOMPILING_EMULATOR
    ${VELKOR_SOURCE_DIR}/tests/windows/with-wine ${VELKOR_WINE_PREFIX} ${VELKOR_WINE}
    ${VELKOR_SOURCE_DIR}/tests/e2e/with-xvfb ${VELKOR_WINE})
