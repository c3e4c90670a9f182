#!/usr/bin/env bash
# Builds the Debian package and checks it on this machine: its contents and
# control fields, lintian (no errors), then installs it with apt-get, runs
# each installed program's --help, runs wlt-nastawy-cli against the
# installed wlt-sim, starts the window as its desktop entry does (offscreen),
# and removes the package again, checking its files are gone.
# Needs root (or sudo) and the packages of scripts/install-deps.sh; reads no
# standard input. Refuses to run where wlt-nastawy is installed already, as
# it would remove it at the end.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${WLT_BUILD_DIR:-build}
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
exec </dev/null

say() { printf 'package-check: %s\n' "$*"; }
fail() { printf 'package-check: FAILED: %s\n' "$*" >&2; exit 1; }
package_status() { dpkg-query -W -f='${db:Status-Status}' wlt-nastawy 2>/dev/null || true; }

case "$(package_status)" in
  "" | not-installed | config-files) ;;
  *) fail "wlt-nastawy is installed already; remove it first (apt-get purge wlt-nastawy)" ;;
esac

tmp=$(mktemp -d /tmp/wlt-package-check.XXXXXX)
chmod 755 "$tmp"  # apt reads the package as its own user
installed=0
sim_pid=""
cleanup() {
  if [ -n "$sim_pid" ]; then kill "$sim_pid" 2>/dev/null || true; wait "$sim_pid" 2>/dev/null || true; fi
  if [ "$installed" = 1 ]; then $SUDO apt-get purge -y -qq wlt-nastawy >/dev/null 2>&1 || true; fi
  rm -rf "$tmp"
}
trap cleanup EXIT

# The package, built fresh.
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
deb_name="wlt-nastawy_${version}_$(dpkg --print-architecture).deb"
rm -f "$build/$deb_name"
cmake --build "$build" -j"$(nproc)" --target package
[ -f "$build/$deb_name" ] || fail "no $build/$deb_name"
cp "$build/$deb_name" "$tmp/"
chmod 644 "$tmp/$deb_name"
deb=$tmp/$deb_name

# Contents: exactly these files (no tests, no bench, nothing of the build tree).
say "contents of $deb_name:"
dpkg-deb -c "$deb"
expected_files="/usr/bin/wlt-modbus
/usr/bin/wlt-nastawy
/usr/bin/wlt-nastawy-cli
/usr/bin/wlt-sim
/usr/share/applications/wlt-nastawy.desktop
/usr/share/doc/wlt-nastawy/changelog.gz
/usr/share/doc/wlt-nastawy/copyright
/usr/share/icons/hicolor/scalable/apps/wlt-nastawy.svg
/usr/share/lintian/overrides/wlt-nastawy
/usr/share/man/man1/wlt-modbus.1.gz
/usr/share/man/man1/wlt-nastawy-cli.1.gz
/usr/share/man/man1/wlt-nastawy.1.gz
/usr/share/man/man1/wlt-sim.1.gz
/usr/share/wlt-nastawy/WLT_nast_rejzd_000.txt"
files=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { sub(/^\./, "", $6); print $6 }' | sort)
if [ "$files" != "$expected_files" ]; then
  diff <(printf '%s\n' "$expected_files") <(printf '%s\n' "$files") >&2 || true
  fail "the package's files differ from the expected ones (< expected, > packaged)"
fi
if dpkg-deb -c "$deb" | awk '{ print $2 }' | grep -v '^root/root$' >/dev/null; then
  fail "files not owned by root/root"
fi

say "control:"
dpkg-deb -f "$deb"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "Version is not $version"
depends=$(dpkg-deb -f "$deb" Depends)
for library in libqt6widgets6 libqt6core6 libqt6svg6 libmodbus5 libc6 qt6-translations-l10n; do
  case "$depends" in *"$library"*) ;; *) fail "Depends lacks $library (shlibdeps): $depends" ;; esac
done
[ -n "$(dpkg-deb -f "$deb" Maintainer)" ] || fail "no Maintainer"

# lintian: no errors; the warnings are listed.
say "lintian:"
lintian_status=0
lintian --fail-on error --display-info "$deb" || lintian_status=$?
[ "$lintian_status" = 0 ] || fail "lintian reports errors (status $lintian_status)"

# Installed the way a user installs it.
$SUDO apt-get install -y -qq "$deb"
installed=1
[ "$(package_status)" = installed ] || fail "dpkg does not list wlt-nastawy as installed"

for program in wlt-nastawy wlt-nastawy-cli wlt-modbus wlt-sim; do
  [ "$(command -v "$program")" = "/usr/bin/$program" ] || fail "$program is not /usr/bin/$program"
  out=$(env -u DISPLAY -u WAYLAND_DISPLAY "/usr/bin/$program" --help) || fail "$program --help failed"
  case "$out" in Usage:*) ;; *) fail "$program --help does not start with Usage:" ;; esac
  zgrep -qi '^\.TH "\?'"$program" "/usr/share/man/man1/$program.1.gz" || fail "no manual page of $program"
  say "$program --help: ${out%%$'\n'*}"
done
desktop-file-validate /usr/share/applications/wlt-nastawy.desktop || fail "desktop-file-validate"

# wlt-nastawy-cli against the installed wlt-sim, in a new work folder.
/usr/bin/wlt-sim --link "$tmp/tty" --log "$tmp/frames.log" --factory-number 12 --production-year 2021 \
  >"$tmp/sim.out" 2>&1 &
sim_pid=$!
for _ in $(seq 100); do [ -e "$tmp/tty" ] && break; sleep 0.1; done
[ -e "$tmp/tty" ] || fail "wlt-sim made no device: $(cat "$tmp/sim.out")"
work=$tmp/work
info=$(/usr/bin/wlt-nastawy-cli --port "$tmp/tty" --work-dir "$work" info) || fail "info: $info"
printf '%s\n' "$info"
grep -qx 'Nr fabr\.: 12' <<<"$info" || fail "info does not name the factory number 12"
cmp /usr/share/wlt-nastawy/WLT_nast_rejzd_000.txt "$work/WLT_nast_rejzd_000.txt" ||
  fail "the work folder did not get the general description file"
/usr/bin/wlt-nastawy-cli --port "$tmp/tty" --work-dir "$work" read-settings "$work/WLT_nastawy_012.txt"
[ -s "$work/WLT_nastawy_012.txt" ] || fail "read-settings saved no file"
/usr/bin/wlt-nastawy-cli show-settings "$work/WLT_nastawy_012.txt" >"$tmp/settings.txt" ||
  fail "show-settings failed"
grep -q 'WLT - nastawy 012' "$tmp/settings.txt" || fail "show-settings printed no settings of controller 12"
grep -q ' RX ' "$tmp/frames.log" && grep -q ' TX ' "$tmp/frames.log" || fail "the simulator logged no frames"
say "wlt-nastawy-cli against wlt-sim: $(grep -c ' TX ' "$tmp/frames.log") replies"
# --demo starts the wlt-sim installed beside the program.
(cd "$work" && /usr/bin/wlt-nastawy-cli --demo read-schedule) || fail "wlt-nastawy-cli --demo read-schedule"

# The window as its desktop entry starts it, in a fresh home folder, on the
# simulator, taking a picture of each page (--screenshot ends the program).
exec_line=$(sed -n 's/^Exec=//p' /usr/share/applications/wlt-nastawy.desktop)
read -r -a entry <<<"$exec_line"
mkdir -p "$tmp/home" "$tmp/shots"
window_out=$(env -u WLT_WORK_DIR HOME="$tmp/home" QT_QPA_PLATFORM=offscreen timeout 120 \
  "${entry[@]}" --port "COM1=$tmp/tty" --screenshot "$tmp/shots") || fail "the window ($exec_line) failed"
cmp /usr/share/wlt-nastawy/WLT_nast_rejzd_000.txt "$tmp/home/WLT/WLT_nast_rejzd_000.txt" ||
  fail "the desktop entry's start made no ~/WLT with the general description file"
grep -q 'EditNrFabr=12 ' <<<"$window_out" || fail "the window did not find the controller"
[ -s "$tmp/shots/page-1.png" ] || fail "the window showed no page"
say "window from its desktop entry ($exec_line): $(ls "$tmp/shots" | wc -l) pictures, work folder ~/WLT made"
kill "$sim_pid"
wait "$sim_pid" 2>/dev/null || true
sim_pid=""

# Removed again, and nothing of it left.
$SUDO apt-get purge -y -qq wlt-nastawy
installed=0
case "$(package_status)" in "" | not-installed) ;; *) fail "wlt-nastawy is still known to dpkg" ;; esac
while read -r file; do
  [ ! -e "$file" ] || fail "$file is left after the purge"
done <<<"$expected_files"
for folder in /usr/share/wlt-nastawy /usr/share/doc/wlt-nastawy; do
  [ ! -e "$folder" ] || fail "$folder is left after the purge"
done
say "installed, ran and removed cleanly: $deb_name"
