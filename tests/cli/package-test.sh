#!/usr/bin/env bash
# package-test.sh BUILD_DIR
# Builds the Debian packages from the build (cpack), and checks the split:
# metrivo-convert holds the tool, its manual page and completion and needs
# nothing of Qt; metrivo holds the window and depends on it; both pass
# lintian without errors and without a hardening tag.
set -uo pipefail
build=$(cd "$1" && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/metrivo-package.XXXXXX")
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

(cd "$build" && cpack -G DEB -B "$work") >"$work/cpack.log" 2>&1 || {
    cat "$work/cpack.log"
    echo "FAIL: cpack"
    exit 1
}
tool=$(ls "$work"/metrivo-convert_*.deb 2>/dev/null)
window=$(ls "$work"/metrivo_*.deb 2>/dev/null)
[ -f "$tool" ] || { echo "FAIL: no metrivo-convert package"; exit 1; }
[ -f "$window" ] || { echo "FAIL: no metrivo package"; exit 1; }
version=$(dpkg-deb -f "$tool" Version)

# What each package depends on.
tool_depends=$(dpkg-deb -f "$tool" Depends)
echo "metrivo-convert Depends: $tool_depends"
echo "$tool_depends" | grep -Eqi 'qt|libicu|libglib|libx|libgl' &&
    fail "metrivo-convert depends on Qt or a library below it: $tool_depends"
window_depends=$(dpkg-deb -f "$window" Depends)
echo "metrivo Depends: $window_depends"
echo "$window_depends" | grep -q "metrivo-convert (= $version)" ||
    fail "metrivo does not depend on metrivo-convert (= $version)"

# What each package holds.
dpkg-deb -c "$tool" | awk '{ print $6 }' | sed 's|^\./|/|' >"$work/tool.files"
dpkg-deb -c "$window" | awk '{ print $6 }' | sed 's|^\./|/|' >"$work/window.files"
for f in /usr/bin/metrivo-convert /usr/share/man/man1/metrivo-convert.1.gz \
    /usr/share/bash-completion/completions/metrivo-convert \
    /usr/share/zsh/vendor-completions/_metrivo-convert \
    /usr/share/fish/vendor_completions.d/metrivo-convert.fish \
    /usr/share/doc/metrivo-convert/copyright /usr/share/doc/metrivo-convert/changelog.Debian.gz; do
    grep -qx "$f" "$work/tool.files" || fail "metrivo-convert lacks $f"
done
for f in /usr/lib/metrivo/metrivo /usr/lib/metrivo/HAND-M.CUR /usr/bin/metrivo \
    /usr/share/applications/metrivo.desktop /usr/share/metainfo/example.metrivo.metrivo.metainfo.xml \
    /usr/share/icons/hicolor/32x32/apps/metrivo.png /usr/share/icons/hicolor/48x48/apps/metrivo.png \
    /usr/share/icons/hicolor/128x128/apps/metrivo.png /usr/share/icons/hicolor/256x256/apps/metrivo.png \
    /usr/share/icons/hicolor/scalable/apps/metrivo.svg /usr/share/man/man1/metrivo.1.gz \
    /usr/share/doc/metrivo/copyright /usr/share/doc/metrivo/changelog.Debian.gz \
    /usr/share/metrivo/skins/slate/o.cjs /usr/share/metrivo/skins/meadow/o.cjs; do
    grep -qx "$f" "$work/window.files" || fail "metrivo lacks $f"
done
# No file in both.
both=$(comm -12 <(grep -v '/$' "$work/tool.files" | sort) <(grep -v '/$' "$work/window.files" | sort))
[ -z "$both" ] || fail "files in both packages: $both"

# The packaged tool runs on its own.
# The window runs natively on Wayland with Qt's plugin; a skin placed in
# /etc/metrivo/skin, outside the package's own files, reaches its x folder.
dpkg-deb -f "$window" Recommends | grep -q 'qt6-wayland' || fail "metrivo does not recommend qt6-wayland"
skin_link=$(dpkg-deb -c "$window" | awk '$6 == "./usr/lib/metrivo/x" { print $8 }')
[ "$skin_link" = "/etc/metrivo/skin" ] || fail "usr/lib/metrivo/x is not a link to /etc/metrivo/skin ('$skin_link')"
dpkg-deb -c "$window" | awk '{ print $6 }' | grep -q '^\./etc/' && fail "metrivo owns files in /etc"
dpkg-deb -I "$window" postrm | grep -q 'purge' || fail "metrivo's postrm does not clear the skin on purge"
dpkg-deb -x "$window" "$work/window-root"
grep -q '^Categories=Utility;Calculator;$' "$work/window-root/usr/share/applications/metrivo.desktop" ||
    fail "the desktop entry is not in Utility and Calculator"
# The window's AppStream data lists only the programs its package holds.
for binary in $(sed -n 's|.*<binary>\(.*\)</binary>.*|\1|p' \
    "$work/window-root/usr/share/metainfo/example.metrivo.metrivo.metainfo.xml"); do
    grep -qx "/usr/bin/$binary" "$work/window.files" || fail "the metainfo lists $binary, which metrivo lacks"
done

dpkg-deb -x "$tool" "$work/root"
got=$(LC_ALL=C "$work/root/usr/bin/metrivo-convert" 2.5 lb kg) || fail "packaged metrivo-convert failed"
[ "$got" = "1.133981" ] || fail "packaged metrivo-convert gave '$got'"

# lintian: no errors.
if command -v lintian >/dev/null; then
    lintian --info --tag-display-limit 0 "$tool" "$window" >"$work/lintian.log" 2>&1
    grep -v 'running with root privileges' "$work/lintian.log"
    grep -q '^E: ' "$work/lintian.log" && fail "lintian reports errors"
    grep -q ' hardening-' "$work/lintian.log" && fail "lintian reports missing hardening"
else
    fail "lintian is not installed (scripts/install-deps.sh installs it)"
fi

if [ "$failures" -ne 0 ]; then
    echo "$failures package check(s) failed"
    exit 1
fi
echo "package checks passed"
