#!/usr/bin/env bash
# Installs the dependencies, builds the program and starts it. With no
# arguments it looks for a controller on COM1 (/dev/ttyS0) and, when none
# answers, starts against the built-in controller simulator (--demo).
# Arguments are passed to the program, e.g. --port COM1=/dev/ttyUSB0.
# The program starts in the work folder $WLT_WORK_DIR (default ~/WLT),
# created on the first run with the general description file; the user's
# settings files land there too.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
build=${WLT_BUILD_DIR:-build}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" -j"$(nproc)" --target wlt-nastawy wlt-nastawy-cli wlt-sim wlt-modbus
work=${WLT_WORK_DIR:-$HOME/WLT}
if [ "$#" -gt 0 ]; then
  exec "$build/bin/wlt-nastawy" --work-dir "$work" "$@"
fi
if "$build/bin/wlt-modbus" --port COM1 read 898 1 >/dev/null 2>&1; then
  exec "$build/bin/wlt-nastawy" --work-dir "$work"
fi
echo "No controller answers on COM1: starting against the controller simulator."
exec "$build/bin/wlt-nastawy" --work-dir "$work" --demo
