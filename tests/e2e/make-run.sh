#!/usr/bin/env bash
# `make run` on a machine without a display: scripts/run.sh, run from the
# source tree as the Makefile runs it, saves a real PNG of the window.
#   make-run.sh SOURCE_DIR BUILD_DIR
set -euo pipefail
. "$(dirname "$0")/../support/e2e.sh"
source_dir=$1
build_dir=$2
e2e_init "$build_dir/bin/metrivo"
unset DISPLAY WAYLAND_DISPLAY
shot="$build_dir/metrivo-screenshot.png"
rm -f "$shot"
(cd "$source_dir" && scripts/run.sh "$build_dir") >"$E2E_WORK/run.txt" 2>&1 ||
    fail "scripts/run.sh failed: $(cat "$E2E_WORK/run.txt")"
grep -q "^Saved $shot" "$E2E_WORK/run.txt" || fail "run.sh said: $(cat "$E2E_WORK/run.txt")"
# The window is closed before its display goes away, so no lost display.
! grep -q 'connection broke' "$E2E_WORK/run.txt" || fail "run.sh lost the display: $(cat "$E2E_WORK/run.txt")"
size=$(e2e_pixels png "$shot") || fail "$shot is no PNG picture: $size"
[ "$size" = 536x331 ] || fail "the screenshot is $size, not the window's 536x331"
rm -f "$shot"

# A screenshot tool that fails: run.sh must say so and fail, never claim it.
mkdir -p "$E2E_WORK/bin"
printf '#!/bin/sh\necho "import: unable to grab" >&2\nexit 1\n' >"$E2E_WORK/bin/import"
chmod +x "$E2E_WORK/bin/import"
status=0
(cd "$source_dir" && PATH="$E2E_WORK/bin:$PATH" scripts/run.sh "$build_dir") >"$E2E_WORK/run.txt" 2>&1 || status=$?
[ "$status" != 0 ] || fail "run.sh succeeded although no screenshot could be taken"
! grep -q '^Saved' "$E2E_WORK/run.txt" || fail "run.sh claimed a screenshot: $(cat "$E2E_WORK/run.txt")"
echo "PASS: make run without a display saved a ${size} PNG"
