#!/usr/bin/env bash
# The real program starts on a virtual display, its window "Kelvarn" appears, and it is still
# alive two seconds later.
set -euo pipefail
program="$1"
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
cp "$program" "$folder/kelvarn"
cp -r "$(dirname "$program")/sound" "$folder/sound" 2>/dev/null || true

xvfb-run -a -s "-screen 0 1024x768x24 -noreset" bash -c '
  "$1/kelvarn" 2>"$1/stderr.txt" &
  pid=$!
  for _ in $(seq 100); do
    xdotool search --name "^Kelvarn$" >/dev/null 2>&1 && break
    sleep 0.1
  done
  if ! xdotool search --name "^Kelvarn$" >/dev/null 2>&1; then
    echo "FAIL: no window titled Kelvarn"; kill $pid; exit 1
  fi
  sleep 2
  if ! kill -0 $pid 2>/dev/null; then
    echo "FAIL: the program died"; cat "$1/stderr.txt"; exit 1
  fi
  kill $pid
  wait $pid || true
  echo "smoke: window shown and alive after two seconds"
' _ "$folder"
