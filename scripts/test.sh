#!/usr/bin/env bash
# Sets everything up and runs every test once, in one build: the program,
# its tests and benchmarks built with AddressSanitizer and
# UndefinedBehaviorSanitizer in build-sanitize/. The tests run with leak
# detection, but for the window tests (which run on virtual displays), and
# the install test packages that build; then each fuzz target runs for 15 s.
# One build instead of a plain and a sanitized one halves the compile time,
# and every test still runs under the sanitizers. Line tables (-g1) are
# enough for the sanitizers' stack traces and make the build lighter.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh --packages-only

build=build-sanitize
# A tree configured for another set of tests or flags is configured again.
if [ ! -f "$build/build.ninja" ] ||
   ! grep -q '^LUMIVANE_BENCH:BOOL=ON$' "$build/CMakeCache.txt" ||
   ! grep -q '^CMAKE_CXX_FLAGS_DEBUG:STRING=-g1$' "$build/CMakeCache.txt"; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG=-g1 \
    -DLUMIVANE_SANITIZE=ON -DLUMIVANE_GUI=ON -DLUMIVANE_BENCH=ON -DLUMIVANE_USER_GUIDE=ON
fi
cmake --build "$build" -- -j"$(nproc)"

echo "== Tests under AddressSanitizer and UndefinedBehaviorSanitizer (window tests under Xvfb)"
UBSAN_OPTIONS=print_stacktrace=1 scripts/ctest_displays.sh "$build"

echo "== Fuzz targets (fuzz/), 15 s each"
scripts/fuzz.sh 15
