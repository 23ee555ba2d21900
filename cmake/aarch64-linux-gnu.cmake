# Cross build for 64-bit ARM Linux with Debian's aarch64-linux-gnu compilers, against the arm64
# libraries multiarch installs beside the build host's own (scripts/deps); test programs run
# under qemu's user-mode emulator.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)

set(CMAKE_C_COMPILER aarch64-linux-gnu-gcc)
set(CMAKE_CXX_COMPILER aarch64-linux-gnu-g++)

# The libraries are found in /usr/lib/aarch64-linux-gnu, the multiarch folder CMake takes from
# the compiler, never in the host's; pkg-config reads the arm64 libraries' files alone.
set(PKG_CONFIG_EXECUTABLE aarch64-linux-gnu-pkg-config)

# The programs need no folder of their own under qemu: multiarch puts the arm64 loader where
# they name it (/lib/ld-linux-aarch64.so.1) and their libraries where it looks. The cross
# compiler's copy of the C library in /usr/aarch64-linux-gnu is for linking and may be of
# another release than that loader, so it is not given to qemu.
find_program(VELKOR_QEMU NAMES qemu-aarch64-static qemu-aarch64 REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${VELKOR_QEMU})

# The programs' loader, started by its path: whether it runs tells whether this host starts
# aarch64 programs itself, its kernel handing them to qemu (binfmt_misc), as the tests whose
# scripts start the programs need.
set(VELKOR_TARGET_LOADER /lib/ld-linux-aarch64.so.1)
