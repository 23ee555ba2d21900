# The web build with Debian's emscripten: WebAssembly with SIMD for any browser; test programs
# run under node.
# node 20's built-in fetch cannot read the .wasm from a path on disk; without it the loader
# reads the file directly. Set before Debian's file, which would name node alone.
set(CMAKE_CROSSCOMPILING_EMULATOR node --no-experimental-fetch)
include(/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake)

# The software device's 4-lane vectors become WebAssembly's 128-bit SIMD.
set(CMAKE_CXX_FLAGS_INIT "-msimd128")

# emcc's JavaScript passes load Debian's node modules (acorn), where a node not Debian's own does
# not look.
set(CMAKE_CXX_LINKER_LAUNCHER ${CMAKE_COMMAND} -E env NODE_PATH=/usr/share/nodejs)
