#!/usr/bin/env bash
# Line coverage of what each fuzz target exercises: builds the targets with
# clang's source-based coverage in a build folder of its own, replays each
# target's corpus (the seeds in fuzz/corpus/ and what the fuzz runs found in
# FUZZ_BUILD/corpus/), and prints llvm-cov's line coverage of the file each
# target is aimed at.
#   scripts/fuzz-coverage.sh [FUZZ_BUILD] [COVERAGE_BUILD]   (defaults: build-fuzz, build-fuzz-cov)
set -euo pipefail
fuzz_build=${1:-build-fuzz}
build=${2:-build-fuzz-cov}
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

if [ ! -f "$build/build.ninja" ]; then
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_CXX_COMPILER=clang++ -DMETRIVO_FUZZ=ON -DMETRIVO_BUILD_TESTS=OFF \
        -DCMAKE_CXX_FLAGS="-fprofile-instr-generate -fcoverage-mapping" \
        -DCMAKE_EXE_LINKER_FLAGS="-fprofile-instr-generate" >/dev/null
fi
cmake --build "$build" --target fuzzers -j "${JOBS:-$(nproc)}" >/dev/null

export QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0
mkdir -p "$build/profiles"
printf '%-18s %-26s %8s %8s\n' target file lines covered
while read -r target file; do
    rm -f "$build/profiles/$target".*
    corpora=(fuzz/corpus/"$target")
    [ -d "$fuzz_build/corpus/$target" ] && corpora+=("$fuzz_build/corpus/$target")
    LLVM_PROFILE_FILE="$build/profiles/$target.%p.profraw" \
        "$build/fuzz/$target" -runs=0 "${corpora[@]}" >/dev/null 2>&1
    llvm-profdata merge -sparse "$build/profiles/$target".*.profraw -o "$build/profiles/$target.profdata"
    # The TOTAL line of a report on the one file: lines, missed, cover.
    read -r lines missed cover < <(llvm-cov report "$build/fuzz/$target" \
        -instr-profile="$build/profiles/$target.profdata" "$root/$file" |
        awk '/^TOTAL/ { print $8, $9, $10 }')
    printf '%-18s %-26s %8s %8s\n' "$target" "$file" "$lines" "$cover"
done <<'TARGETS'
fuzz_amount units/numbertext.cpp
fuzz_numbertext units/numbertext.cpp
fuzz_batchline cli/batchrunner.cpp
fuzz_settingvalue app/settingvalue.cpp
fuzz_cursorfile app/cursorfile.cpp
fuzz_skin app/skinengine.cpp
fuzz_skinfilter app/skinfilter.cpp
fuzz_initext app/initext.cpp
TARGETS
