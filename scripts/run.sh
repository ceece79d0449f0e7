#!/usr/bin/env bash
# `make run`: opens the Metrivo window. Without a desktop session it runs the
# window under a private Xvfb server and saves a screenshot of it as PNG.
set -euo pipefail
build=${1:-build}
bin="$build/bin/metrivo"
if [ ! -x "$bin" ]; then
    echo "run: $bin is not built; run 'make run' or 'make build' first" >&2
    exit 1
fi
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    exec "$bin"
fi
shot="$build/metrivo-screenshot.png"
for tool in Xvfb xdotool import; do
    if ! command -v "$tool" >/dev/null; then
        echo "run: no display, and '$tool' is missing to show the window without one;" >&2
        echo "run: 'scripts/install-deps.sh' installs it" >&2
        exit 1
    fi
done
echo "No display found (DISPLAY is not set): starting Metrivo under Xvfb for a few"
echo "seconds and saving a screenshot to $shot."
rm -f "$shot"
scripts/with-display.sh bash -c '
    set -euo pipefail
    "$1" & pid=$!
    # The window closes (and stores its settings) before its display goes.
    trap "kill \$pid 2>/dev/null && wait \$pid 2>/dev/null || true" EXIT
    window=""
    for _ in $(seq 1 100); do
        window=$(xdotool search --onlyvisible --name "^Metrivo$" 2>/dev/null | head -1 || true)
        [ -n "$window" ] && break
        kill -0 "$pid" 2>/dev/null || { echo "run: the window did not start" >&2; exit 1; }
        sleep 0.1
    done
    [ -n "$window" ] || { echo "run: no window within 10 seconds" >&2; exit 1; }
    sleep 0.5
    import -window "$window" "png:$2"' _ "$bin" "$shot"
if [ ! -s "$shot" ] || [ "$(head -c 8 "$shot" | od -An -tx1 | tr -d ' \n')" != 89504e470d0a1a0a ]; then
    echo "run: no screenshot was saved" >&2
    exit 1
fi
echo "Saved $shot. Run 'make run' in a desktop session to use the window."
