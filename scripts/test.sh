#!/usr/bin/env bash
# Sets everything up, builds, and runs every test: the unit tests, the
# window tests on a virtual display, and the unit tests once more in an
# AddressSanitizer + UndefinedBehaviorSanitizer build.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

echo "== Tests (window tests under Xvfb)"
xvfb-run -a -s "-screen 0 1280x1024x24" \
  ctest --test-dir build --output-on-failure -j"$(nproc)" --timeout 120

echo "== Unit tests under AddressSanitizer and UndefinedBehaviorSanitizer"
if [ ! -f build-sanitize/build.ninja ]; then
  cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DLUMIVANE_SANITIZE=ON -DLUMIVANE_GUI=OFF -DLUMIVANE_BENCH=OFF
fi
cmake --build build-sanitize -- -j"$(nproc)"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-sanitize --output-on-failure -j"$(nproc)" --timeout 120
