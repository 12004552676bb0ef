# Cross build for arm64 (Raspberry Pi OS 64-bit, Debian arm64) on a Debian
# x86-64 machine that has the packages of scripts/install-arm64-deps.sh.
# Debian's multiarch layout holds both architectures' libraries side by side,
# so the arm64 ones are found under /usr/lib/aarch64-linux-gnu.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(CMAKE_C_COMPILER aarch64-linux-gnu-gcc)
set(CMAKE_CXX_COMPILER aarch64-linux-gnu-g++)
set(CMAKE_LIBRARY_ARCHITECTURE aarch64-linux-gnu)
set(PKG_CONFIG_EXECUTABLE aarch64-linux-gnu-pkg-config CACHE FILEPATH "")

# Qt's code generators (moc, uic, rcc) are the machine's own.
set(QT_HOST_PATH /usr)
set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake)

# Tests run through qemu's user-mode emulator; the arm64 dynamic loader and
# libraries are where multiarch installs them.
set(CMAKE_CROSSCOMPILING_EMULATOR qemu-aarch64)
