#!/usr/bin/env bash
# Usage: bench/scale.sh [runs per size]   (default 9; at least 5)
# Builds the 64-bit launcher and the stand-in jvm.dll, then times whole
# launches under Wine as registered runtimes, virtual machine parameters,
# class path and program arguments grow tenfold twice, and prints the
# medians, the launcher's cost over a baseline launch and the ratios.
set -euo pipefail
cd "$(dirname "$0")/.."
[ -d build/x64 ] || { echo "bench/scale.sh: build/x64 is missing; run ./build.sh first" >&2; exit 2; }
cmake --build build/x64 --target launch_scale
tests/support/with-wine.sh build/x64 tests/support/wine-run.sh build/x64/bench/launch_scale.exe "${1:-9}"
