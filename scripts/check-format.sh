#!/usr/bin/env bash
# Fails when a C or C++ source in the repository differs from .clang-format,
# and names the files. Debian's clang-format is the one the tree follows, so
# that every machine formats alike. With --fix, formats them instead.
set -euo pipefail
cd "$(dirname "$0")/.."
command -v clang-format >/dev/null || { echo "check-format: clang-format is not installed" >&2; exit 1; }
mapfile -t files < <(git ls-files '*.c' '*.cpp' '*.h')
if [ "${1:-}" = --fix ]; then
    clang-format -i "${files[@]}"
    exit 0
fi
unformatted=()
for f in "${files[@]}"; do
    clang-format --dry-run --Werror "$f" >/dev/null 2>&1 || unformatted+=("$f")
done
if [ ${#unformatted[@]} -gt 0 ]; then
    echo "check-format: ${#unformatted[@]} file(s) differ from .clang-format ($(clang-format --version)):"
    printf '  %s\n' "${unformatted[@]}"
    echo "Run scripts/check-format.sh --fix to format them."
    exit 1
fi
echo "check-format: ${#files[@]} files formatted"
