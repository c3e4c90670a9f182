#!/usr/bin/env bash
# Builds everything (the window, the simulator, the tools, the Windows
# cross-build of the link where mingw-w64 is installed) and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${WLT_BUILD_DIR:-build}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" -j"$(nproc)"
ctest --test-dir "$build" --output-on-failure
