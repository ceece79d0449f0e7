#!/usr/bin/env bash
# Runs a command with an X display. When none is set, a private Xvfb server is
# started for the command's lifetime (the clipboard and end-to-end tests need
# one). Xvfb picks a free display number itself and reports it once it is
# ready, so several of these can run side by side.
set -euo pipefail
if [ -n "${DISPLAY:-}" ] || ! command -v Xvfb >/dev/null; then
    exec "$@"
fi
ready=$(mktemp)
trap 'rm -f "$ready"' EXIT
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$ready" >/dev/null 2>&1 &
xvfb_pid=$!
trap 'kill "$xvfb_pid" 2>/dev/null || true; wait "$xvfb_pid" 2>/dev/null || true; rm -f "$ready"' EXIT
for _ in $(seq 1 200); do
    [ -s "$ready" ] && break
    kill -0 "$xvfb_pid" 2>/dev/null || { echo "with-display: Xvfb did not start" >&2; exit 1; }
    sleep 0.05
done
[ -s "$ready" ] || { echo "with-display: Xvfb did not report a display" >&2; exit 1; }
export DISPLAY=":$(head -1 "$ready" | tr -d '[:space:]')"
"$@"
