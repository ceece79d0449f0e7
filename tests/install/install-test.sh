#!/usr/bin/env bash
# install-test.sh BUILD_DIR SOURCE_DIR
# Installs the build into a temporary prefix, checks the installed layout,
# runs the installed metrivo-convert, starts the installed window through its
# bin/ link when it is built, and removes the prefix again.
set -euo pipefail
build=$(cd "$1" && pwd)
source_dir=$(cd "$2" && pwd)

prefix=$(mktemp -d "${TMPDIR:-/tmp}/metrivo-install.XXXXXX")
window_pid=
cleanup() {
    if [ -n "$window_pid" ]; then kill "$window_pid" 2>/dev/null || true; fi
    rm -rf "$prefix"
}
trap cleanup EXIT

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
expect_file() { [ -f "$prefix/$1" ] || fail "$1 is not installed"; }

cmake --install "$build" --prefix "$prefix" >"$prefix.log" 2>&1 || {
    cat "$prefix.log"; rm -f "$prefix.log"; echo "FAIL: cmake --install"; exit 1; }
rm -f "$prefix.log"

# Layout.
for f in \
    share/applications/metrivo.desktop \
    share/metainfo/example.metrivo.metrivo.metainfo.xml \
    share/icons/hicolor/32x32/apps/metrivo.png \
    share/icons/hicolor/48x48/apps/metrivo.png \
    share/icons/hicolor/128x128/apps/metrivo.png \
    share/icons/hicolor/256x256/apps/metrivo.png \
    share/icons/hicolor/scalable/apps/metrivo.svg \
    share/man/man1/metrivo.1.gz \
    share/man/man1/metrivo-convert.1.gz \
    share/doc/metrivo/copyright \
    share/doc/metrivo/changelog.Debian.gz \
    lib/metrivo/HAND-M.CUR; do
    expect_file "$f"
done
for skin in "$source_dir"/data/skins/*/o.cjs; do
    [ -e "$skin" ] || continue
    name=$(basename "$(dirname "$skin")")
    cmp -s "$skin" "$prefix/share/metrivo/skins/$name/o.cjs" ||
        fail "skin $name is not installed under share/metrivo/skins/$name/o.cjs"
done
for man in metrivo metrivo-convert; do
    gzip -t "$prefix/share/man/man1/$man.1.gz" 2>/dev/null || fail "$man.1.gz is not gzip data"
done

# The desktop entry names the program and a themed icon, not paths.
desktop="$prefix/share/applications/metrivo.desktop"
if [ -f "$desktop" ]; then
    grep -qx 'Exec=metrivo' "$desktop" || fail "desktop entry: Exec is not 'metrivo'"
    grep -qx 'Icon=metrivo' "$desktop" || fail "desktop entry: Icon is not the themed name 'metrivo'"
    grep -q '^Categories=.*Utility;' "$desktop" || fail "desktop entry: not in category Utility"
fi

# bin/metrivo is a relative link to the program, so its folder is lib/metrivo.
link="$prefix/bin/metrivo"
if [ -L "$link" ]; then
    [ "$(readlink "$link")" = "../lib/metrivo/metrivo" ] ||
        fail "bin/metrivo points to $(readlink "$link"), not ../lib/metrivo/metrivo"
else
    fail "bin/metrivo is not a symbolic link"
fi

# The installed command-line tool.
convert="$prefix/bin/metrivo-convert"
if [ -x "$convert" ]; then
    check_convert() {
        local want=$1; shift
        local got
        got=$(LC_ALL=C "$convert" "$@") || { fail "metrivo-convert $* exited with $?"; return; }
        [ "$got" = "$want" ] || fail "metrivo-convert $*: got '$got', want '$want'"
    }
    check_convert 1.133981 -c Weight 2.5 pound kilogram
    check_convert 1.609344 1 mile kilometer
    version_line=$(LC_ALL=C "$convert" --version | head -n 1)
    [ "$version_line" = "metrivo-convert $(sed -n 's/^project(Metrivo VERSION \([0-9.]*\).*/\1/p' "$source_dir/CMakeLists.txt")" ] ||
        fail "metrivo-convert --version starts with '$version_line'"
else
    fail "bin/metrivo-convert is not installed or not executable"
fi

# The installed window, started the way the desktop starts it: through bin/.
program="$prefix/lib/metrivo/metrivo"
if [ ! -x "$program" ]; then
    echo "SKIPPED the window part: lib/metrivo/metrivo is not built yet"
elif [ -z "${DISPLAY:-}" ]; then
    echo "SKIPPED the window part: no DISPLAY (run the suite through scripts/with-display.sh)"
else
    config="$prefix/config"
    runtime="$prefix/runtime"
    mkdir -p "$config"
    mkdir -m 700 "$runtime"
    XDG_CONFIG_HOME="$config" XDG_RUNTIME_DIR="$runtime" QT_QPA_PLATFORM=xcb "$link" >"$prefix/window.log" 2>&1 &
    window_pid=$!
    if window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Metrivo$' 2>/dev/null | head -n 1) &&
        [ -n "$window" ]; then
        echo "window $window mapped"
        if command -v xprop >/dev/null; then
            if xprop -id "$window" _NET_WM_ICON 2>/dev/null | grep -q 'not found'; then
                fail "the window has no icon (_NET_WM_ICON)"
            fi
        fi
    else
        fail "no window named 'Metrivo' mapped within 20 seconds"
        cat "$prefix/window.log"
    fi
    kill "$window_pid" 2>/dev/null || true
    wait "$window_pid" 2>/dev/null || true
    window_pid=

    # The program looks for its cursor beside the real executable, also when
    # started through the bin/ link: a damaged cursor there is reported.
    printf 'not a cursor' >"$prefix/lib/metrivo/HAND-M.CUR"
    XDG_CONFIG_HOME="$config" XDG_RUNTIME_DIR="$runtime" QT_QPA_PLATFORM=xcb "$link" >"$prefix/window.log" 2>&1 &
    window_pid=$!
    if timeout 20 xdotool search --sync --onlyvisible --name '^Application Error$' >/dev/null 2>&1; then
        echo "a damaged lib/metrivo/HAND-M.CUR is reported"
    else
        fail "the program did not read lib/metrivo/HAND-M.CUR beside the real executable"
    fi
    kill "$window_pid" 2>/dev/null || true
    wait "$window_pid" 2>/dev/null || true
    window_pid=
fi

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed"
    exit 1
fi
echo "install test passed"
