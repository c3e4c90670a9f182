#!/usr/bin/env bash
# The long run of the crash-safe save test: wlt-nastawy-cli is killed with
# SIGKILL at random moments while it saves a settings file and an event file
# over older ones, RUNS times each (200 when not given); after every kill the
# folder must hold the old or the new file, complete. CI runs the same test
# with 40 runs each.
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-200}
build=${WLT_BUILD_DIR:-build}
cmake -S . -B "$build" > /dev/null
cmake --build "$build" -j2 --target robust_crash_save_tests wlt-nastawy-cli wlt-sim wlt_save_pause
WLT_KILL_RUNS=$runs "$build/bin/robust_crash_save_tests"
