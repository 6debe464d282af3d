#!/bin/sh
# Runs a program and waits for a window with the given title to appear on
# the X display (run it under xvfb-run). Exits 0 when the window came (the
# program is then ended), 1 when it did not come within the seconds given
# (the program hung and is killed), 2 when the program ended by itself.
#   watch-window.sh SECONDS TITLE PROGRAM [ARGUMENT...]
seconds="$1" title="$2"
shift 2
"$@" &
pid=$!
tries=$((seconds * 10))
while [ "$tries" -gt 0 ]; do
  if xwininfo -root -tree 2>/dev/null | grep -qF "\"$title\""; then
    kill "$pid"
    wait "$pid" 2>/dev/null
    exit 0
  fi
  kill -0 "$pid" 2>/dev/null || exit 2
  sleep 0.1
  tries=$((tries - 1))
done
kill -9 "$pid"
exit 1
