#!/usr/bin/env bash
# Takes the user guide's screenshots of the real program on a virtual
# display and writes them to resources/userguide/ (they are committed, so
# building the guide needs no display).
#
#   scripts/take-screenshots.sh [build-dir]      (default: build)
#
# Needs xvfb-run, xdotool and ImageMagick (import, convert), and python3
# for a pseudo terminal that stands in for the boards' serial port. The
# program runs with a temporary HOME, so your own settings are not touched.
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$(pwd)
BUILD_DIR=${1:-${BUILD_DIR:-build}}
PROGRAM=$ROOT/$BUILD_DIR/bin/lumivane
OUT=$ROOT/resources/userguide

MODE=${1:-}
if [ "$MODE" != "--inside" ] && [ "$MODE" != "--scaled" ]; then
  [ -x "$PROGRAM" ] || { echo "No program at $PROGRAM: build it first." >&2; exit 1; }
  for tool in xvfb-run xdotool import convert python3; do
    command -v "$tool" >/dev/null || { echo "Missing tool: $tool" >&2; exit 1; }
  done
  export SHOT_PROGRAM=$PROGRAM SHOT_OUT=$OUT
  xvfb-run -a -s "-screen 0 1024x768x24" "$0" --inside
  # A screen scaled by two needs twice the pixels for the same picture.
  exec xvfb-run -a -s "-screen 0 2048x1000x24" "$0" --scaled
fi

PROGRAM=$SHOT_PROGRAM
OUT=$SHOT_OUT
WORK=$(mktemp -d)
PIDS=()
cleanup() {
  for pid in "${PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$WORK"
}
trap cleanup EXIT

export HOME=$WORK/home
mkdir -p "$HOME/.lumivane" "$WORK/shows"

# A pseudo terminal takes the place of the serial port: the program writes
# to it as to a USB adapter, and this reader drains what it sends.
python3 -c '
import os, sys, tty
master, slave = os.openpty()
tty.setraw(slave)
print(os.ttyname(slave), flush=True)
while True:
    if not os.read(master, 4096):
        break
' > "$WORK/pty" &
PIDS+=($!)
for _ in $(seq 50); do [ -s "$WORK/pty" ] && break; sleep 0.1; done
PORT=$(head -1 "$WORK/pty")

cat > "$WORK/shows/concert.cfg" <<'CFG'
# Lumivane scenario

[Scene1]
name=Walk-in
fade=40
hold=8.0
to-column=1
columns=40 40 50 40 300
range1=1:8; 5; 0; house left, blue
range2=9:16; 77; 0; house right, violet
range3=17:18; 198; 6; stage edge, slow amber blink
range4=20:20; 215; 0; lectern

[Scene2]
name=Opening
fade=12
hold=4.5
to-column=1
columns=40 40 50 40 300
range1=1:16; 180; 0; house, red
range2=17:18; 215; 0; stage edge
range3=21:24; 185; 3; drums, magenta blink

[Scene3]
name=Finale
fade=0
hold=2.0
to-column=1
columns=40 40 50 40 300
range1=1:24; 215; 2; everything, white strobe

[Inputs]
input1=0
input2=-1
input3=-2
input4=-3
CFG

settings() {  # port, tip index, scenario file[, window size]
  printf '[Settings]\ncom=%s\nbaud=0\nautorun=0\ntip=%s\n[Session]\nfile=%s\n[Position]\nframe=%s\n' \
    "$1" "$2" "$3" "${4:-760 440}" > "$HOME/.lumivane/lumivane.ini"
}

start() {
  "$PROGRAM" > /dev/null 2>&1 &
  APP=$!
  PIDS+=("$APP")
  MAIN=$(find_window "^Lumivane - ")
  sleep 1
}

stop() {
  kill "$APP" 2>/dev/null || true
  wait "$APP" 2>/dev/null || true
}

find_window() {  # title pattern; gives up after twenty seconds
  local id
  for _ in $(seq 200); do
    id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | tail -1 || true)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  echo "No window \"$1\" appeared." >&2
  return 1
}

# Saves a window (by its title) or the screen area of the main window.
shot() {  # name, title
  local id
  id=$(find_window "$2")
  sleep 1.5  # let it paint fully
  # What the screen shows in the window's place, so that nothing the
  # window has not painted yet comes out black.
  eval "$(xdotool getwindowgeometry --shell "$id")"
  import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" "$WORK/shot.png"
  convert "$WORK/shot.png" +repage -strip "$OUT/$1.png"
  echo "  $1.png"
}

shot_area() {  # name, width, height: the top left of the screen, menus included
  sleep 1
  import -window root -crop "$2x$3+0+0" "$WORK/shot.png"
  convert "$WORK/shot.png" +repage -strip "$OUT/$1.png"
  echo "  $1.png"
}

# Without a window manager a new dialog does not get the keyboard focus
# by itself: give it the focus, then the key.
dialog_key() {  # title, key
  local id
  id=$(find_window "$1")
  xdotool windowfocus --sync "$id"
  xdotool key "$2"
  sleep 0.5
}

keys() {
  xdotool windowfocus --sync "$MAIN"
  for key in "$@"; do xdotool key "$key"; sleep 0.4; done
}

echo "Screenshots into $OUT:"

if [ "$MODE" = "--scaled" ]; then
  # GDK_SCALE=2: sharp icons and texts, and the board monitor beside the
  # main window, placed in logical units.
  export GDK_SCALE=2
  settings "Virtual boards" -1 "$ROOT/resources/examples/rainbow.cfg" "500 440"
  start
  keys F5
  find_window "^Board monitor$" > /dev/null
  sleep 1.5
  shot_area scaled 2048 900
  stop
  exit 0
fi

# First start: an empty scenario and the tip of the day.
"$PROGRAM" > /dev/null 2>&1 &
APP=$!
PIDS+=("$APP")
find_window "^Tip of the Day" > /dev/null
shot_area first-start 900 600
dialog_key "^Tip of the Day" Escape
stop

# The example scenario, loaded as the recent file.
settings "$PORT" -1 "$WORK/shows/concert.cfg"
start
shot main "^Lumivane - concert.cfg"

keys alt+f
shot_area menu-file 760 440
keys Escape

xdotool mousemove --window "$MAIN" 250 184 click 3
shot_area context-menu 760 440
xdotool key Escape
sleep 0.3

xdotool mousemove --window "$MAIN" 105 184 click 1
xdotool mousemove 1020 760  # no tooltip in the picture
shot colour-palette "^Colour$"
dialog_key "^Colour$" Tab  # to "More colours..."
dialog_key "^Colour$" Return
shot colour-dialog "^Choose colo"
dialog_key "^Choose colo" Escape

keys alt+e i
shot inputs "^Input configuration$"
dialog_key "^Input configuration$" Escape

keys alt+f w
shot print-preview "Preview$"
PREVIEW=$(find_window "Preview$")
# The preview's own Close button, at the right end of its tool bar.
width=$(xdotool getwindowgeometry --shell "$PREVIEW" | sed -n 's/^WIDTH=//p')
xdotool mousemove --window "$PREVIEW" $((width - 45)) 22 click 1
sleep 0.8

keys alt+h a
shot about "^About"
dialog_key "^About" Return

# A run on the stand-in port: status "Running" and the hold countdown.
keys F5
sleep 2.2
shot running "^Lumivane - concert.cfg"
keys shift+F5
stop

# The settings dialog with a serial port of the machine chosen.
settings "ttyS0" -1 "$WORK/shows/concert.cfg"
start
keys alt+c e
shot settings "^Settings$"
dialog_key "^Settings$" Escape
stop

# A port that is not there: the message the user then sees.
settings "ttyUSB9" -1 "$WORK/shows/concert.cfg"
start
keys F5
shot port-error "^Error$"
dialog_key "^Error$" Return
stop

# The virtual boards: a run of an example scenario opens the board monitor,
# beside a main window narrow enough to leave it its full width.
settings "Virtual boards" -1 "$ROOT/resources/examples/rainbow.cfg" "500 440"
start
keys F5
sleep 1.5  # the first scene's fade is over
shot monitor "^Board monitor$"
stop

# Help > Keyboard shortcuts.
settings "$PORT" -1 "$WORK/shows/concert.cfg"
start
keys alt+h k
shot shortcuts "^Keyboard shortcuts$"
dialog_key "^Keyboard shortcuts$" Escape
stop

# The same window under a light and a dark theme, a row selected.
for theme in light dark; do
  if [ "$theme" = dark ]; then export GTK_THEME=Adwaita:dark; else unset GTK_THEME; fi
  start
  xdotool mousemove --window "$MAIN" 10 184 click 1
  xdotool mousemove 1020 760
  shot "theme-$theme" "^Lumivane - concert.cfg"
  stop
done
unset GTK_THEME
