#!/usr/bin/env bash
# The typical request through the accessibility bus only (atspi-request.py),
# on X11 under Xvfb or on a headless Wayland compositor (sway), each in a
# private D-Bus session with the AT-SPI bus started.
#   atspi.sh x11|wayland METRIVO CLOSEREQUEST
set -euo pipefail
. "$(dirname "$0")/../support/e2e.sh"
e2e_session_bus "$0" "$@"
mode=$1
shift
e2e_init "$@"
here=$(cd "$(dirname "$0")" && pwd)
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 NO_AT_BRIDGE=0

case $mode in
    x11) e2e_x_server ;;
    wayland) e2e_wayland ;;
    *) fail "mode '$mode' is neither x11 nor wayland" ;;
esac
e2e_atspi_bus

e2e_settings UnitType=4 LastFrom4=16 LastTo4=9
e2e_start
/usr/bin/python3 "$here/atspi-request.py" "$mode" || fail "the request through the accessibility bus"
kill -TERM "$METRIVO_PID"
e2e_wait_end 0 "SIGTERM after the request"
e2e_expect_setting LastFrom4 16 "after the request"
e2e_expect_setting LastTo4 9 "after the request"
