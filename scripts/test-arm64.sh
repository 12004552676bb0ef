#!/usr/bin/env bash
# Cross-builds Tivaro and its tests for arm64 in a build tree of their own
# and runs every test through qemu's user-mode emulator, offscreen, with the
# same fonts as the native suite. Installs what it needs first.
# Usage: test-arm64.sh SOURCE_DIR BUILD_DIR BUILD_TYPE JOBS [WERROR]
set -euo pipefail

src=$1 build=$2 build_type=$3 jobs=$4 werror=${5:-OFF}

bash "$src/scripts/install-arm64-deps.sh"

cmake -S "$src" -B "$build" -DCMAKE_BUILD_TYPE="$build_type" -DTIVARO_WERROR="$werror" \
  -DCMAKE_TOOLCHAIN_FILE="$src/scripts/arm64-toolchain.cmake" >/dev/null
cmake --build "$build" -j"$jobs"
aarch64-linux-gnu-readelf -h "$build/app/tivaro" | grep -q 'Machine: *AArch64' || {
  echo "test-arm64: $build/app/tivaro is not an arm64 program" >&2
  exit 1
}

cd "$build"
start=$(date +%s)
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$jobs" --timeout 1500
echo "test-arm64: every test passed through qemu-aarch64 in $(($(date +%s) - start)) s"
