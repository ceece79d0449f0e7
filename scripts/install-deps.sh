#!/usr/bin/env bash
# Installs the Debian packages Metrivo needs to build, test and run.
# Quiet and idempotent: does nothing when everything is already there.
set -euo pipefail

packages=(
    cmake ninja-build g++ make pkg-config
    qt6-base-dev qt6-base-dev-tools libgl-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    fonts-liberation2
    xvfb xauth xdotool xclip x11-utils libx11-dev
    imagemagick openbox qt6ct qt6-gtk-platformtheme python3 python3-pil
    at-spi2-core python3-pyatspi dbus dbus-bin orca speech-dispatcher
    qt6-wayland sway wtype wl-clipboard grim libwayland-dev libwayland-bin
    clang libclang-rt-dev clang-format
    units perl util-linux
    desktop-file-utils appstream lintian dpkg-dev librsvg2-bin strace
    g++-aarch64-linux-gnu qemu-user zsh fish bash-completion locales man-db groff-base time
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing missing packages: ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || { echo "install-deps: need root or sudo to install ${missing[*]}" >&2; exit 1; }
    sudo_cmd=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
