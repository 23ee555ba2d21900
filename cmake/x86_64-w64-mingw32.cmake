# Cross build for 64-bit Windows with mingw-w64, run under 64-bit Wine: it checks the
# Windows side of the source on hosts whose Wine cannot run 32-bit programs.
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(VELKOR_MINGW_PREFIX x86_64-w64-mingw32)
# Debian keeps the 64-bit loader out of PATH.
find_program(VELKOR_WINE NAMES wine64 PATHS /usr/lib/wine /usr/lib64/wine NO_DEFAULT_PATH)
find_program(VELKOR_WINE NAMES wine64 wine)
include(${CMAKE_CURRENT_LIST_DIR}/MingwToolchain.cmake)
