#!/usr/bin/env bash
# locales.sh FOLDER NAME...
# Builds the UTF-8 locales NAME (de_DE, ar_EG...) into FOLDER with localedef,
# for tests that run the programs with LOCPATH=FOLDER: the machine needs none
# of them installed. A locale already built is kept.
set -euo pipefail
folder=$1
shift
mkdir -p "$folder"
for name in "$@"; do
    [ -e "$folder/$name.UTF-8/LC_NUMERIC" ] && continue
    localedef -i "$name" -f UTF-8 "$folder/$name.UTF-8" ||
        { echo "localedef cannot build $name.UTF-8 (Debian package locales)" >&2; exit 1; }
done
