#!/usr/bin/env bash
# linkage.sh METRIVO_CONVERT
# metrivo-convert links the conversion core, the C and C++ libraries and at
# most QtCore: nothing of Qt's GUI, so it runs on a machine without them.
set -euo pipefail
exe=$1
needed=$(readelf -d "$exe" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p')
echo "metrivo-convert needs: $(echo $needed)"
status=0
for lib in $needed; do
    case $lib in
        libQt6Core.so.*|libstdc++.so.*|libm.so.*|libgcc_s.so.*|libc.so.*|ld-linux*|libasan.so.*|libubsan.so.*) ;;
        *) echo "FAIL: links $lib"; status=1 ;;
    esac
done
# Nothing that the loader pulls in either.
if ldd "$exe" | grep -E 'libQt6(Gui|Widgets|DBus|XcbQpa)|libX11|libxcb|libGL' ; then
    echo "FAIL: loads a GUI library"
    status=1
fi
exit $status
