#!/usr/bin/env bash
# Installs the Debian 12 packages this project builds, runs and tests with.
set -euo pipefail
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
# clang and libclang-rt-dev (libclang-rt-14-dev: libFuzzer and the sanitizer
# runtimes) build the fuzz targets of scripts/fuzz.sh. qt6-svg-dev draws the
# window's icon; qt6-translations-l10n gives the toolkit's dialogs Polish.
# ninja-build builds the mingw Qt of scripts/windows-qt.sh (with dpkg-dev's
# apt-get source), nsis makes the Windows installer.
$SUDO apt-get install -y -qq --no-install-recommends \
  build-essential cmake pkg-config git \
  qt6-base-dev libgl1-mesa-dev qt6-svg-dev qt6-translations-l10n \
  libgtest-dev libgmock-dev googletest \
  libmodbus-dev socat xvfb xauth x11-apps imagemagick poppler-utils \
  cups cups-client cups-ipp-utils printer-driver-cups-pdf \
  fonts-dejavu-core fonts-liberation \
  g++-mingw-w64-x86-64 wine64 wine ninja-build nsis \
  dpkg-dev file help2man desktop-file-utils lintian \
  clang libclang-rt-dev
