#!/usr/bin/env bash
# Runs the tests of one build tree: the window tests in two shares, each on
# a virtual display of its own (real input goes to the focused window, so two
# tests must not share a display), beside the tests that need no window.
# Usage: scripts/ctest_displays.sh BUILD_DIR [ctest options...]
# OTHER_EXCLUDE (a label pattern, '^gui$' by default) leaves more labels out
# of the tests without a window; GUI_ASAN_OPTIONS, when set, is the window
# tests' ASAN_OPTIONS.
set -uo pipefail
build_dir=$1
shift
# Each share looks for a free display from a number of its own, so that
# starting together they never pick the same one.
xvfb() { local from=$1; shift; xvfb-run -a -n "$from" -s "-screen 0 1280x1024x24" "$@"; }
CTEST=(ctest --test-dir "$build_dir" --output-on-failure --timeout 120 "$@")
logs=$(mktemp -d)
trap 'rm -rf "$logs"' EXIT

# The window tests, in a subshell of their own with their ASAN_OPTIONS.
gui() (
  if [ -n "${GUI_ASAN_OPTIONS:-}" ]; then
    export ASAN_OPTIONS=$GUI_ASAN_OPTIONS
  fi
  xvfb "$@"
)

# The window tests are listed when they first run; list them once, so that
# the shares only read the lists.
gui 90 "${CTEST[@]}" -N -L '^gui$' >/dev/null

# The tests without a window first, on their own: several of them keep
# time on real pseudo-terminals and sockets, or start a browser, and the
# window tests keep time too. Sharing two cores with both shares at once
# made both late.
xvfb 90 "${CTEST[@]}" -j"$(nproc)" -LE "${OTHER_EXCLUDE:-^gui\$}" >"$logs/other" 2>&1
other_status=$?
gui 110 "${CTEST[@]}" -L '^gui$' -I 1,,2 >"$logs/gui1" 2>&1 &
gui1=$!
gui 130 "${CTEST[@]}" -L '^gui$' -I 2,,2 >"$logs/gui2" 2>&1 &
gui2=$!

status=$other_status
echo "-- other"
cat "$logs/other"
for share in gui1:$gui1 gui2:$gui2; do
  wait "${share#*:}" || status=1
  echo "-- ${share%%:*}"
  cat "$logs/${share%%:*}"
done
exit $status
