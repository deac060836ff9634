#!/usr/bin/env bash
# Sets everything up, builds, and runs every test: the unit tests and the
# window tests on virtual displays (two window tests at a time), then all
# of them once more in an AddressSanitizer + UndefinedBehaviorSanitizer
# build. There the window
# tests run without leak detection (GTK and fontconfig keep memory until
# exit, which is no leak of ours) and the install test is left out (it
# checks the install tree, which the first run covers).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

echo "== Tests (window tests under Xvfb)"
scripts/ctest_displays.sh build

echo "== Tests under AddressSanitizer and UndefinedBehaviorSanitizer"
# A tree configured before the window tests were part of this run is
# configured again.
if [ ! -f build-sanitize/build.ninja ] ||
   ! grep -q '^LUMIVANE_GUI:BOOL=ON$' build-sanitize/CMakeCache.txt; then
  cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DLUMIVANE_SANITIZE=ON -DLUMIVANE_GUI=ON -DLUMIVANE_BENCH=OFF -DLUMIVANE_USER_GUIDE=OFF
fi
cmake --build build-sanitize -- -j"$(nproc)"
export UBSAN_OPTIONS=print_stacktrace=1
ASAN_OPTIONS=detect_leaks=1 GUI_ASAN_OPTIONS=detect_leaks=0 OTHER_EXCLUDE='^(gui|install)$' \
  scripts/ctest_displays.sh build-sanitize

echo "== Fuzz targets (fuzz/), 15 s each"
scripts/fuzz.sh 15
