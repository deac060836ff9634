#!/usr/bin/env bash
# Runs the tests of one build tree, as many at a time as there are cores,
# on virtual displays: two for the window tests, handed out by ctest as
# resources so that no two window tests share one (real input goes to the
# focused window), and one for the tests without a window that still open
# the toolkit.
# Usage: scripts/ctest_displays.sh BUILD_DIR [ctest options...]
set -uo pipefail
build_dir=$1
shift
work=$(mktemp -d)
servers=()
stop_servers() {
  if [ ${#servers[@]} -gt 0 ]; then
    kill "${servers[@]}" 2>/dev/null
    wait "${servers[@]}" 2>/dev/null
  fi
  rm -rf "$work"
}
trap stop_servers EXIT

# Starts an X server on a display it picks itself (-displayfd), so that
# servers never race for a number.
start_display() {
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display$1" >/dev/null 2>&1 &
  servers+=($!)
}
# The display's number, once its server takes connections.
display_number() {
  for _ in $(seq 100); do
    if [ -s "$work/display$1" ]; then
      tr -d '\n' <"$work/display$1"
      return 0
    fi
    sleep 0.1
  done
  echo "ctest_displays: Xvfb did not start" >&2
  return 1
}

for name in other first second; do
  start_display $name
done
other=$(display_number other) && first=$(display_number first) && second=$(display_number second) ||
  exit 1
cat >"$work/resources.json" <<JSON
{"version": {"major": 1, "minor": 0},
 "local": [{"display": [{"id": "$first", "slots": 1}, {"id": "$second", "slots": 1}]}]}
JSON

DISPLAY=:$other ctest --test-dir "$build_dir" --output-on-failure --timeout 300 \
  -j"$(nproc)" --resource-spec-file "$work/resources.json" "$@"
