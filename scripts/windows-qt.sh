#!/usr/bin/env bash
# Builds Qt 6 for 64-bit Windows (mingw-w64) from Debian's own source package
# of the host's Qt, and installs it into a cache folder outside any build tree:
#   $WLT_WINDOWS_QT_DIR, default /var/cache/wlt-nastawy/qt-6.4.2-mingw
# The Windows build of the window and the CLI uses it. A complete cache (its
# stamp names this recipe) is left alone, so a second run costs nothing.
#
# Needs root or sudo for apt (a deb-src entry, apt-get update, apt-get source)
# and a writable cache folder (as another user, point WLT_WINDOWS_QT_DIR at a
# folder of your own), mingw-w64, cmake, ninja and the host's Qt
# (qt6-base-dev, qt6-base-dev-tools: moc, rcc and uic run on the build
# machine). About 20 minutes on two idle cores.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
version=6.4.2+dfsg-10
prefix=${WLT_WINDOWS_QT_DIR:-/var/cache/wlt-nastawy/qt-6.4.2-mingw}
jobs=${WLT_QT_JOBS:-$(nproc)}
patch_file=$repo/package/windows/qt6-base-mingw-minimal.patch

# Qt's own feature switches: the modules the programs use (Core, Gui, Widgets,
# PrintSupport), the windows platform plugin and styles, third-party code from
# Qt's source (zlib, libpng, pcre2, harfbuzz) so that nothing but Qt's DLLs and
# mingw's runtime goes beside the programs. No ICU: the text files convert
# Windows-1250 with the Win32 API. The tablet support needs the wintab headers
# that Debian's repack of the source removed.
qt_options=(
  -DBUILD_SHARED_LIBS=ON
  -DQT_BUILD_TESTS=OFF -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_BENCHMARKS=OFF
  -DFEATURE_sql=OFF -DFEATURE_dbus=OFF -DFEATURE_network=OFF -DFEATURE_testlib=OFF
  -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF
  -DFEATURE_opengl=OFF -DFEATURE_vulkan=OFF -DFEATURE_icu=OFF
  -DFEATURE_tabletevent=OFF -DFEATURE_direct2d=OFF
  -DFEATURE_zstd=OFF -DFEATURE_openssl=OFF -DFEATURE_jpeg=OFF -DFEATURE_gif=OFF
  -DFEATURE_freetype=OFF -DFEATURE_fontconfig=OFF -DFEATURE_glib=OFF
  -DFEATURE_pkg_config=OFF
  -DFEATURE_system_zlib=OFF -DFEATURE_png=ON -DFEATURE_system_png=OFF
  -DFEATURE_system_pcre2=OFF -DFEATURE_harfbuzz=ON -DFEATURE_system_harfbuzz=OFF
  -DFEATURE_printsupport=ON -DFEATURE_widgets=ON -DFEATURE_gui=ON
)
# The stamp names everything the result depends on: a change of the source
# version, the patch or the options builds the cache anew.
stamp_text="qt6-base $version
$(sha256sum "$patch_file" | cut -d' ' -f1)
$(sha256sum "$repo/cmake/mingw-w64.cmake" | cut -d' ' -f1)
${qt_options[*]}"
stamp=$prefix/wlt-qt-build.stamp
if [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$stamp_text" ]; then
  echo "windows-qt: $prefix is complete"
  exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
host_qt=$(dpkg-query -W -f='${Version}' qt6-base-dev 2>/dev/null || true)
if [ "$host_qt" != "$version" ]; then
  # moc, rcc and uic of the host must be those of the same Qt.
  echo "windows-qt: the host's qt6-base-dev is '$host_qt', this recipe is for $version" >&2
  exit 1
fi

# apt-get source needs deb-src entries for the archive the host's Qt came from.
src_list=/etc/apt/sources.list.d/wlt-nastawy-deb-src.sources
if [ ! -f "$src_list" ]; then
  $SUDO tee "$src_list" > /dev/null <<'EOF'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg

Types: deb-src
URIs: http://deb.debian.org/debian-security
Suites: bookworm-security
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
EOF
fi
if ! apt-cache showsrc "qt6-base=$version" 2>/dev/null | grep -q '^Package: qt6-base'; then
  $SUDO apt-get update -qq
fi

work=${WLT_QT_WORK_DIR:-$prefix.work}
rm -rf "$work"
mkdir -p "$work"
cd "$work"
# dpkg-source unpacks the source and applies Debian's patches (the CVE fixes
# of debian/patches/series among them); then the project's one.
apt-get source -q "qt6-base=$version" > apt-source.log 2>&1 || { cat apt-source.log >&2; exit 1; }
src=$work/qt6-base-${version%-*}
grep -q 'applying cve-2023-24607.patch' apt-source.log \
  || { echo "windows-qt: Debian's patches were not applied" >&2; exit 1; }
patch -d "$src" -p1 < "$patch_file"

launcher=()
if command -v ccache > /dev/null; then launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
rm -rf "$prefix"
cmake -S "$src" -B "$work/build" -G Ninja \
  -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_INSTALL_PREFIX="$prefix" \
  -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/mingw-w64.cmake" -DWLT_MINGW_STATIC_RUNTIME=OFF \
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  -DQT_QMAKE_TARGET_MKSPEC=win32-g++ \
  "${launcher[@]}" "${qt_options[@]}" > "$work/configure.log" 2>&1 \
  || { tail -60 "$work/configure.log" >&2; exit 1; }
grep -A200 '^-- Configure summary' "$work/configure.log" | head -150 || true
# Qt's build prints thousands of lines (and warnings of its own headers):
# they go to a log, whose end is shown when the build fails.
echo "windows-qt: building Qt for mingw ($jobs jobs, log $work/build.log), started $(date +%T)"
cmake --build "$work/build" --parallel "$jobs" > "$work/build.log" 2>&1 \
  || { tail -80 "$work/build.log" >&2; exit 1; }
echo "windows-qt: built at $(date +%T)"
cmake --install "$work/build" > "$work/install.log"
printf '%s' "$stamp_text" > "$stamp"
cd /
rm -rf "$work"
echo "windows-qt: installed into $prefix"
