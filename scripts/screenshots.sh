#!/usr/bin/env bash
# Takes a PNG of every page of the window under a virtual X display, with the
# window connected to the controller simulator (--demo): page-1.png ...
# page-8.png, the grid, check boxes and event list after reading them
# (page-2-read.png, page-3-read.png, page-4-read.png, page-4-detail.png), the
# print previews of the settings and the event list, the event list opened
# again from the event file saved of it (page-4-file.png), and every message
# box and dialog that came up (box-N.png; box-N-PrintPreview.png for the
# previews), the controller fallen silent (page-6-stalled.png) and a
# readout's progress on the silent line (progress.png), two grid values edited
# and "Porównaj z WLT" and "Zapis nastaw do WLT" run on them (page-2-edited.png,
# the compare's table box-N-SettingsDifferences.png, page-2-written.png); the
# same again into OUTPUT_DIR/verify against a controller that does not keep
# register 905 (the check's box). The window starts in
# a scratch work folder holding the general description file, so the pages
# show its captions; the real ~/WLT is never touched.
# The virtual screen is WLT_SCREEN (default 1366x768, a common laptop); the
# toolkit's scale follows QT_SCALE_FACTOR (1.25 for 125 %).
# Usage: [WLT_SCREEN=WxH] [QT_SCALE_FACTOR=F] scripts/screenshots.sh [OUTPUT_DIR]
#        (default: screenshots/)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${WLT_BUILD_DIR:-build}
out=${1:-screenshots}
if [ ! -x "$build/bin/wlt-nastawy" ] || [ ! -x "$build/bin/wlt-sim" ]; then
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
# Always bring the two programs up to date; cheap when nothing changed.
cmake --build "$build" -j"$(nproc)" --target wlt-nastawy wlt-sim
mkdir -p "$out"
rm -f "$out"/page-*.png "$out"/box-*.png "$out"/progress.png
# The window runs in a scratch work folder: it looks for description files
# there, and the tour must not pick up stray ones nor touch ~/WLT.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
out_abs=$(cd "$out" && pwd)
bin_abs=$(cd "$build/bin" && pwd)
screen=${WLT_SCREEN:-1366x768}
(cd "$work" && xvfb-run -a -s "-screen 0 ${screen}x24 -dpi 96" \
  "$bin_abs/wlt-nastawy" --demo --work-dir "$work" --screenshot "$out_abs")
ls -1 "$out_abs"/*.png

# The same tour against a controller that echoes a write to register 905 but
# keeps its old value, into OUTPUT_DIR/verify: the compare's table of the two
# values edited, then the check after the write naming register 905.
mkdir -p "$out_abs/verify"
rm -f "$out_abs"/verify/*.png
"$bin_abs/wlt-sim" --factory-number 7 --production-year 2019 --ignore-writes 905-905 \
  --link "$work/ttyWLT" > "$work/sim.txt" 2>&1 &
sim=$!
trap 'kill "$sim" 2>/dev/null || true; rm -rf "$work"' EXIT
for _ in $(seq 100); do [ -e "$work/ttyWLT" ] && break; sleep 0.1; done
(cd "$work" && xvfb-run -a -s "-screen 0 ${screen}x24 -dpi 96" \
  "$bin_abs/wlt-nastawy" --port COM1="$work/ttyWLT" --work-dir "$work" --screenshot "$out_abs/verify")
ls -1 "$out_abs"/verify/*.png
