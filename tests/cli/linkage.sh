#!/usr/bin/env bash
# linkage.sh METRIVO_CONVERT
# metrivo-convert links the conversion core and the C and C++ libraries:
# nothing of Qt, so it runs on a machine without it.
set -euo pipefail
exe=$1
needed=$(readelf -d "$exe" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p')
echo "metrivo-convert needs: $(echo $needed)"
status=0
for lib in $needed; do
    case $lib in
        libstdc++.so.*|libm.so.*|libgcc_s.so.*|libc.so.*|ld-linux*|libasan.so.*|libubsan.so.*) ;;
        *) echo "FAIL: links $lib"; status=1 ;;
    esac
done
# Nothing that the loader pulls in either.
if ldd "$exe" | grep -E 'libQt6|libicu|libglib|libX11|libxcb|libGL' ; then
    echo "FAIL: loads a library of Qt or below it"
    status=1
fi
exit $status
