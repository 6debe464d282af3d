#!/bin/sh
# Starts an X server of its own, runs a program on it and waits for a window
# with the given title to appear. The server picks a free display number
# itself and tells it (Xvfb -displayfd), so no other X server starting at the
# same moment can take it. Exits 0 when the window came (the program is then
# ended), 1 when it did not come within the seconds given (the program hung
# and is killed), 2 when the program ended by itself, 3 when the X server did
# not start.
#   watch-window.sh SECONDS TITLE PROGRAM [ARGUMENT...]
seconds="$1" title="$2"
shift 2
dir="$(mktemp -d)"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$dir/display" >"$dir/xvfb.log" 2>&1 &
xvfb=$!
finish() {
  kill "$xvfb" 2>/dev/null
  wait "$xvfb" 2>/dev/null
  rm -rf "$dir"
  exit "$1"
}
tries=100
while [ ! -s "$dir/display" ]; do
  tries=$((tries - 1))
  if [ "$tries" -eq 0 ] || ! kill -0 "$xvfb" 2>/dev/null; then
    echo "Xvfb did not start:" >&2
    cat "$dir/xvfb.log" >&2
    finish 3
  fi
  sleep 0.1
done
DISPLAY=":$(cat "$dir/display")"
export DISPLAY
"$@" &
pid=$!
tries=$((seconds * 10))
while [ "$tries" -gt 0 ]; do
  if xwininfo -root -tree 2>/dev/null | grep -qF "\"$title\""; then
    kill "$pid"
    wait "$pid" 2>/dev/null
    finish 0
  fi
  kill -0 "$pid" 2>/dev/null || finish 2
  sleep 0.1
  tries=$((tries - 1))
done
kill -9 "$pid"
wait "$pid" 2>/dev/null
finish 1
