#!/usr/bin/env bash
# arm64-build.sh SOURCE_DIR OUTPUT FLAGS...
# Cross-builds the conversion core (units/, standard C++ only) and its driver
# for arm64 with Debian's cross compiler, statically so qemu-user runs it
# without an arm64 sysroot, with the flags of the native build (without its
# debug information, which changes no instruction).
set -euo pipefail
source_dir=$1
output=$2
shift 2
compiler=${METRIVO_ARM64_CXX:-aarch64-linux-gnu-g++}
command -v "$compiler" >/dev/null || {
    echo "FAIL: $compiler is not installed (scripts/install-deps.sh installs g++-aarch64-linux-gnu)"
    exit 1
}
mkdir -p "$(dirname "$output")"
"$compiler" "$@" -static -I"$source_dir/units" "$source_dir"/units/*.cpp \
    "$source_dir/tests/cross/conversiondriver.cpp" -g0 -o "$output"
