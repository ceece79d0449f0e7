#!/usr/bin/env bash
# Runs a command with an X display. When none is set, a private Xvfb server is
# started for the command's lifetime (the clipboard and end-to-end tests need one).
set -euo pipefail
if [ -n "${DISPLAY:-}" ] || ! command -v Xvfb >/dev/null; then
    exec "$@"
fi
for n in $(seq 90 140); do
    [ -e "/tmp/.X${n}-lock" ] || [ -e "/tmp/.X11-unix/X${n}" ] || break
done
Xvfb ":${n}" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
trap 'kill "$xvfb_pid" 2>/dev/null || true; wait "$xvfb_pid" 2>/dev/null || true' EXIT
for _ in $(seq 1 100); do
    [ -e "/tmp/.X11-unix/X${n}" ] && break
    sleep 0.05
done
export DISPLAY=":${n}"
"$@"
