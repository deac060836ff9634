#!/usr/bin/env bash
# Sets everything up, builds, and runs every test: the unit tests and the
# window tests on a virtual display, then all of them once more in an
# AddressSanitizer + UndefinedBehaviorSanitizer build. There the window
# tests run without leak detection (GTK and fontconfig keep memory until
# exit, which is no leak of ours) and the install test is left out (it
# checks the install tree, which the first run covers).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

XVFB=(xvfb-run -a -s "-screen 0 1280x1024x24")

echo "== Tests (window tests under Xvfb)"
"${XVFB[@]}" ctest --test-dir build --output-on-failure -j"$(nproc)" --timeout 120

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
ASAN_OPTIONS=detect_leaks=1 \
  ctest --test-dir build-sanitize --output-on-failure -j"$(nproc)" --timeout 120 -LE '^(gui|install)$'
ASAN_OPTIONS=detect_leaks=0 "${XVFB[@]}" \
  ctest --test-dir build-sanitize --output-on-failure -j"$(nproc)" --timeout 120 -L '^gui$'

echo "== Fuzz targets (fuzz/), 15 s each"
scripts/fuzz.sh 15
