#!/usr/bin/env bash
# Builds everything (the window, the simulator, the tools, the Windows
# cross-build of the link where mingw-w64 is installed) and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${WLT_BUILD_DIR:-build}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" -j"$(nproc)"
# Two tests at a time on two cores: the time-out tests have margins for a
# busy machine, and the fuzz smoke run keeps the machine to itself.
ctest --test-dir "$build" --output-on-failure -j"$(nproc)"
