#!/usr/bin/env bash
# The window's clock against a controller that falls silent: wlt-sim answers
# the start-up and the first clock ticks, then nothing (--stop-after-requests);
# the window runs offscreen on it for a while. Prints how many requests
# reached the line in the SECONDS after the first unanswered one, counted on
# the simulator's frame log. A figure, not a test.
# Usage: bench/stalled-clock.sh [SECONDS]   (default 20; build/ as scripts/test.sh makes it)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${WLT_BUILD_DIR:-build}
window_seconds=${1:-20}
answered=10   # the start-up's 5 requests, then 5 good ticks
work=$(mktemp -d)
sim_pid=
trap '[ -n "$sim_pid" ] && kill "$sim_pid" 2>/dev/null; rm -rf "$work"' EXIT

"$build/bin/wlt-sim" --stop-after-requests "$answered" --log "$work/frames.log" >"$work/sim.out" &
sim_pid=$!
for _ in $(seq 50); do [ -s "$work/sim.out" ] && break; sleep 0.1; done
device=$(head -n1 "$work/sim.out")
[ -n "$device" ] || { echo "wlt-sim did not start" >&2; exit 1; }

# The window for the answered requests, the window of the count and a margin.
run_seconds=$((answered + window_seconds + 4))
bin=$(cd "$build/bin" && pwd)
(cd "$work" && QT_QPA_PLATFORM=offscreen timeout -s TERM "$run_seconds" \
  "$bin/wlt-nastawy" --port "COM1=$device" --work-dir "$work/w" >/dev/null 2>&1) || true

awk -v answered="$answered" -v span="$window_seconds" '
  function seconds(stamp,   t) { split(substr(stamp, 12), t, ":"); return t[1] * 3600 + t[2] * 60 + t[3] }
  $2 == "RX" { ++rx; if (rx == answered + 1) first = seconds($1)
               if (rx > answered && seconds($1) < first + span) ++counted }
  END { if (!first) { print "the line never fell silent" > "/dev/stderr"; exit 1 }
        printf "requests in the %d s after the controller fell silent: %d\n", span, counted }
' "$work/frames.log"
