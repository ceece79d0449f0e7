#!/usr/bin/env bash
# Renders the application icon data/icons/metrivo.svg into the PNG sizes the
# window and the desktop theme use. The PNGs are committed; run this again
# after changing the SVG.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
svg="$root/data/icons/metrivo.svg"
command -v rsvg-convert >/dev/null || {
    echo "make-icons: rsvg-convert is missing (apt-get install librsvg2-bin)" >&2
    exit 1
}
for n in 32 48 128 256; do
    out="$root/data/icons/hicolor/${n}x${n}/apps/metrivo.png"
    mkdir -p "$(dirname "$out")"
    rsvg-convert --width "$n" --height "$n" --keep-aspect-ratio "$svg" --output "$out"
    echo "wrote ${out#"$root"/}"
done
