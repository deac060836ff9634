#!/usr/bin/env bash
# Sets everything up, builds and starts lumivane; arguments go to the
# program (for example a scenario file to load and run), from the directory
# this was started in.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
"$ROOT/scripts/setup.sh"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  cat >&2 <<MSG
lumivane is a desktop program and there is no display here (DISPLAY is not set).
Run it on a desktop session, or on a virtual display:
  xvfb-run -a "$ROOT/build/bin/lumivane" $*
MSG
  exit 1
fi
exec "$ROOT/build/bin/lumivane" "$@"
