#!/usr/bin/env bash
# Usage: bench/run.sh [runs]   (default 30; at least 30)
# Builds the 64-bit launcher, the minimal host and the stand-in jvm.dll, then
# times whole launches of both under Wine and prints the ratio of medians.
set -euo pipefail
cd "$(dirname "$0")/.."
[ -d build/x64 ] || { echo "bench/run.sh: build/x64 is missing; run ./build.sh first" >&2; exit 2; }
cmake --build build/x64 --target launch_overhead
tests/support/with-wine.sh build/x64 tests/support/wine-run.sh build/x64/bench/launch_overhead.exe "${1:-30}"
