#!/usr/bin/env bash
# run-validator.sh TOOL ARGS...: runs a validator of the desktop files, or
# reports the test as skipped (exit 77) when the tool is not installed.
set -euo pipefail
tool=$1
shift
if ! command -v "$tool" >/dev/null; then
    echo "SKIPPED: $tool is not installed (scripts/install-deps.sh installs it)"
    exit 77
fi
"$tool" "$@"
