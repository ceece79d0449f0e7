#!/usr/bin/env bash
# `make run`: opens the Metrivo window. Without a desktop session it runs the
# window under a private Xvfb server and saves a screenshot instead.
set -euo pipefail
build=${1:-build}
bin="$build/bin/metrivo"
if [ ! -x "$bin" ]; then
    echo "The window is not built yet; showing the command-line tool instead:"
    echo "\$ $build/bin/metrivo-convert -c Weight 2.5 pound kilogram"
    exec "$build/bin/metrivo-convert" -c Weight 2.5 pound kilogram
fi
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    exec "$bin"
fi
shot="$build/metrivo-screenshot.png"
echo "No display found (DISPLAY is not set): starting Metrivo under Xvfb for a few"
echo "seconds and saving a screenshot to $shot."
scripts/with-display.sh bash -c '
    "$1" & pid=$!
    for _ in $(seq 1 50); do xdotool search --name "^Metrivo$" >/dev/null 2>&1 && break; sleep 0.1; done
    sleep 0.5
    if command -v import >/dev/null; then import -window root "$2"; else xwd -root -silent >"$2.xwd"; fi
    kill "$pid"' _ "$bin" "$shot"
echo "Saved $shot. Run 'make run' in a desktop session to use the window."
