#!/usr/bin/env bash
# The real program with settings that other programs share, that are large,
# that cannot be locked, that the environment places oddly, and on a full
# disk. Each time the window comes up and closes cleanly, and the file holds
# what it must.
#   hostile-settings.sh METRIVO CLOSEREQUEST
set -euo pipefail
. "$(dirname "$0")/../support/e2e.sh"
e2e_init "$@"
E2E_LIMIT=${HOSTILE_WINDOW_SECONDS:-2}
e2e_x_server

results=()
note() {
    results+=("$1")
    echo "$1"
}
# expect_one_warning PATTERN WHAT: the program said exactly one line on
# standard error (a sanitizer's own summary not counted), and it matches.
expect_one_warning() {
    local said matching
    said=$(grep -c '^metrivo: ' "$E2E_WORK/stderr.txt" || true)
    matching=$(grep -c "^metrivo: warning: cannot save settings.*$1" "$E2E_WORK/stderr.txt" || true)
    [ "$said" = 1 ] && [ "$matching" = 1 ] || fail "$2: expected one warning"
}
# expect_file PATH TEXT WHAT: the file holds TEXT and a line end, nothing else.
expect_file() {
    printf '%s\n' "$2" | cmp -s - "$1" || fail "$3: the file changed"
}
# not_in FILE PATTERN: no line of the file matches.
not_in() { ! grep -q "$2" "$1"; }
ours='^[[:space:]]*(LastFrom[0-5]|LastTo[0-5]|UnitType|cboFromCurrency|cboToCurrency)[[:space:]]*='
program=$(e2e_program_copy settings)
folder=$(dirname "$program")

# 1. A file shared with other programs: comments, a value with a ';', a key
# with a blank, duplicate keys, other sections. Only our keys change.
export XDG_CONFIG_HOME="$E2E_WORK/shared"
mkdir -p "$XDG_CONFIG_HOME"
ini="$XDG_CONFIG_HOME/Orvandel.ini"
cat >"$ini" <<'INI'
; Orvandel tools, shared settings
[Paint]
name=café ; 2 sugars
weird key=1
dup=1
dup=2

# the converter
[Metrivo]
UnitType = 2 ; length
Colour=blue

[Zoo]
k="quoted ; value"
INI
cp "$ini" "$E2E_WORK/before.ini"
e2e_run_program "$program" 0 "shared settings file"
grep -Ev "$ours" "$E2E_WORK/before.ini" >"$E2E_WORK/before.rest"
grep -Ev "$ours" "$ini" >"$E2E_WORK/after.rest"
cmp -s "$E2E_WORK/before.rest" "$E2E_WORK/after.rest" ||
    { diff "$E2E_WORK/before.rest" "$E2E_WORK/after.rest"; fail "shared settings file: other bytes changed"; }
[ "$(grep -Ec "$ours" "$ini")" = 15 ] || { cat "$ini"; fail "shared settings file: not 15 keys of ours"; }
grep -qx 'UnitType=2' "$ini" || fail "shared settings file: the category was not kept"
note "shared settings file: every other byte kept, 15 keys of ours"

# 2. Anything at the lock's place that is no lock file: one warning, the
# window answers the close request.
for kind in folder fifo; do
    export XDG_CONFIG_HOME="$E2E_WORK/lock-$kind"
    mkdir -p "$XDG_CONFIG_HOME"
    printf '[Metrivo]\nUnitType=3\n' >"$XDG_CONFIG_HOME/Orvandel.ini"
    case $kind in
        folder) mkdir "$XDG_CONFIG_HOME/Orvandel.ini.lock" ;;
        fifo) mkfifo "$XDG_CONFIG_HOME/Orvandel.ini.lock" ;;
    esac
    e2e_run_program "$program" 0 "lock that is a $kind"
    expect_one_warning 'lock' "lock that is a $kind"
    expect_file "$XDG_CONFIG_HOME/Orvandel.ini" "$(printf '[Metrivo]\nUnitType=3')" \
        "lock that is a $kind"
    note "lock that is a $kind: closed after ${closed} ms, one warning"
done

# 3. Large files: the close writes the 13 keys as one replace. The bounds
# (3 s and 5 s, room for a busy machine) catch a close that rewrites the file
# per key, or moves the rest of the file at every line it changes; the times
# are recorded. The files: another program's keys after our section, or our
# 15 keys again and again with values of two digits that become one, so that
# every line changes length. A sanitizer build, unoptimised, gets ten times as
# long, and only the 10 MB files: the same code, and the memory checks' time
# grows with the file.
slow=1
sizes="10 100"
grep -q __asan_init "$METRIVO" 2>/dev/null && slow=10 sizes=10
our_block=""
for key in LastFrom0 LastTo0 LastFrom1 LastTo1 LastFrom2 LastTo2 LastFrom3 LastTo3 LastFrom4 LastTo4 \
    LastFrom5 LastTo5 UnitType cboFromCurrency cboToCurrency; do
    our_block+="$key=00"$'\n'
done
for kind in other duplicates; do
    for megabytes in $sizes; do
        what="$megabytes MB settings file ($kind)"
        export XDG_CONFIG_HOME="$E2E_WORK/large$megabytes$kind"
        mkdir -p "$XDG_CONFIG_HOME"
        ini="$XDG_CONFIG_HOME/Orvandel.ini"
        if [ "$kind" = other ]; then
            { printf '[Metrivo]\nUnitType=4\n\n[Other]\n'
              # yes ends by SIGPIPE when head has enough.
              yes 'key_of_another_program=some text that belongs to another program' |
                  head -c $((megabytes * 1024 * 1024)) || true; } >"$ini"
        else
            { echo '[Metrivo]'
              yes "${our_block%$'\n'}" | head -n $((megabytes * 1024 * 1024 / 12 / 15 * 15)) || true; } >"$ini"
        fi
        size=$(wc -c <"$ini")
        lines=$(wc -l <"$ini")
        # The start reads the whole file: not what is measured here.
        E2E_LIMIT=$((10 * slow)) e2e_start_counting "$program" "$what"
        # The first frame is drawn once the load's list selections are stored.
        if [ "$kind" = other ]; then
            e2e_await_first_frame $((10 * slow))
        else
            e2e_until $((10 * slow)) "$what: the first frame" not_in "$ini" '^cboFromCurrency=00$'
        fi
        e2e_close "$window" $(((megabytes < 100 ? 3 : 5) * slow)) "$what"
        if [ "$kind" = other ]; then
            [ "$(grep -Ec "$ours" "$ini")" = 15 ] || fail "$what: not 15 keys of ours"
            [ $(($(wc -c <"$ini") - size)) -lt 400 ] || fail "$what: it grew too much"
        else
            [ "$(wc -l <"$ini")" = "$lines" ] || fail "$what: lines were added or lost"
            ! grep -q '=00$' "$ini" || fail "$what: a line kept its old value"
        fi
        rm -f "$ini"
        note "$what: closed after ${closed} ms, every key written"
    done
done

# 4. A relative XDG_CONFIG_HOME is ignored: the file goes below HOME.
mkdir -p "$E2E_WORK/home" "$E2E_WORK/cwd"
saved_home=$HOME
export HOME="$E2E_WORK/home" XDG_CONFIG_HOME=relative
e2e_run_program "$program" 0 "relative XDG_CONFIG_HOME" "$E2E_WORK/cwd"
export HOME=$saved_home
[ -f "$E2E_WORK/home/.config/Orvandel.ini" ] || fail "relative XDG_CONFIG_HOME: no file below HOME"
[ ! -e "$E2E_WORK/cwd/relative" ] || fail "relative XDG_CONFIG_HOME: a folder in the current one"
note "relative XDG_CONFIG_HOME: ignored, settings below HOME"

# 4b. Settings in a folder of the system's own file systems, which count no
# free blocks: no place for a file, not a full disk.
for folder in /proc/self /sys; do
    export XDG_CONFIG_HOME=$folder
    e2e_run_program "$program" 0 "settings in $folder"
    expect_one_warning 'it is not a writable file in a writable folder' "settings in $folder"
    note "settings in $folder: one warning, not a writable folder"
done

# 5. Neither HOME nor XDG_CONFIG_HOME: the home from the password database.
# Run as the user "nobody", whose home cannot be written, the warning names
# where the settings were to go. Then, as "nobody" too, a settings file that
# belongs to root but that everyone may write: a new file would belong to
# "nobody", so it is not replaced. The program runs from a copy every user
# can reach.
if [ "$(id -u)" = 0 ] && command -v setpriv >/dev/null && getent passwd nobody >/dev/null; then
    nobody_home=$(getent passwd nobody | cut -d: -f6)
    nobody_program=$(e2e_shared_program_copy nobody)
    mkdir -m 0700 "$E2E_SHARED/nobody-runtime"
    chown nobody "$E2E_SHARED/nobody-runtime"
    as_nobody=(setpriv --reuid=nobody --regid=nogroup --clear-groups env -u HOME)
    runtime=XDG_RUNTIME_DIR="$E2E_SHARED/nobody-runtime"
    E2E_LAUNCHER=("${as_nobody[@]}" -u XDG_CONFIG_HOME "$runtime")
    e2e_run_program "$nobody_program" 0 "no HOME and no XDG_CONFIG_HOME" "$E2E_SHARED"
    grep -qF "cannot save settings to ${nobody_home%/}/.config/Orvandel.ini" "$E2E_WORK/stderr.txt" ||
        fail "no HOME and no XDG_CONFIG_HOME: not the home of the password database"
    note "no HOME and no XDG_CONFIG_HOME: the home of the password database ($nobody_home)"

    owned="$E2E_SHARED/owned"
    mkdir -m 0755 "$owned"
    chown nobody "$owned"
    printf '[Metrivo]\nUnitType=3\n' >"$owned/Orvandel.ini"
    chmod 0666 "$owned/Orvandel.ini"
    E2E_LAUNCHER=("${as_nobody[@]}" "$runtime" XDG_CONFIG_HOME="$owned")
    e2e_run_program "$nobody_program" 0 "a file of another owner" "$E2E_SHARED"
    expect_one_warning 'owner and group could not be kept' "a file of another owner"
    expect_file "$owned/Orvandel.ini" "$(printf '[Metrivo]\nUnitType=3')" "a file of another owner"
    [ "$(stat -c %U:%a "$owned/Orvandel.ini")" = root:666 ] || fail "a file of another owner: given away"
    note "a file of another owner, written by nobody: left as it was, one warning"
    E2E_LAUNCHER=()
else
    note "SKIP no HOME and no XDG_CONFIG_HOME, a file of another owner: need root to run as another user"
fi

# 6. A full disk: the file stays as it was, and the warning says why.
full="$E2E_WORK/full"
mkdir -p "$full"
if [ "$(id -u)" = 0 ] && mount -t tmpfs -o size=64k tmpfs "$full" 2>/dev/null; then
    E2E_MOUNTS+=("$full")
    export XDG_CONFIG_HOME="$full"
    printf '[Metrivo]\nUnitType=5\n' >"$full/Orvandel.ini"
    dd if=/dev/zero of="$full/filler" bs=1k 2>/dev/null || true
    e2e_run_program "$program" 0 "full disk"
    expect_one_warning 'the disk is full' "full disk"
    expect_file "$full/Orvandel.ini" "$(printf '[Metrivo]\nUnitType=5')" "full disk"
    ls "$full" | grep -q '\.new-' && fail "full disk: a temporary file was left"
    note "full disk: file kept, one warning that the disk is full"
else
    note "SKIP full disk: needs root to mount a small tmpfs"
fi

# 6b. A settings file that is a link to another program's file, such as a
# shell's start file: lines our reader cannot use, only its owner may read
# it. It is not written at all, and not copied. And a settings file of our
# own with lines that are no settings: every line stays, the copy kept aside
# and the file keep the permissions, owner and group. Both end by SIGTERM
# right after a choice.
if [ "$(id -u)" = 0 ] && getent passwd nobody >/dev/null; then owner=nobody:nogroup; else owner=$(id -un):$(id -gn); fi
bashrc="$E2E_WORK/bashrc"
printf '%s\n' 'export EDITOR=vi' "alias ll='ls -l'" 'if [ -f ~/.aliases ]; then' '    . ~/.aliases' 'fi' >"$bashrc"
chown "$owner" "$bashrc"
chmod 0600 "$bashrc"
cp -p "$bashrc" "$E2E_WORK/bashrc.before"
export XDG_CONFIG_HOME="$E2E_WORK/linked"
mkdir -p "$XDG_CONFIG_HOME"
ln -s "$bashrc" "$XDG_CONFIG_HOME/Orvandel.ini"
e2e_start_counting "$program" "a link to another program's file"
xdotool mousemove --window "$window" $(e2e_centre optUnits_4) click 1
e2e_until 5 "a link to another program's file: the warning" grep -q 'cannot save settings' "$E2E_WORK/stderr.txt"
kill -TERM "$METRIVO_PID"
e2e_wait_end 0 "a link to another program's file"
expect_one_warning 'a link to a file that holds no settings' "a link to another program's file"
cmp -s "$bashrc" "$E2E_WORK/bashrc.before" || fail "a link to another program's file: it changed"
[ "$(stat -c %U:%G:%a "$bashrc")" = "${owner}:600" ] || fail "a link to another program's file: $(stat -c %U:%G:%a "$bashrc")"
[ -z "$(ls "$XDG_CONFIG_HOME" | grep -v '^Orvandel.ini$')" ] || fail "a link to another program's file: $(ls "$XDG_CONFIG_HOME")"
note "a link to another program's file: every byte, its owner and mode kept, one warning"

export XDG_CONFIG_HOME="$E2E_WORK/damaged"
mkdir -p "$XDG_CONFIG_HOME"
ini="$XDG_CONFIG_HOME/Orvandel.ini"
printf '%s\n' '[Metrivo]' 'UnitType=2' 'a line that is no setting' 'Colour=blue' '[Metrivo' 'fi' >"$ini"
chown "$owner" "$ini"
chmod 0600 "$ini"
cp -p "$ini" "$E2E_WORK/damaged.before"
e2e_start_counting "$program" "a settings file with lines that are no settings"
e2e_await_first_frame
xdotool mousemove --window "$window" $(e2e_centre optUnits_4) click 1
e2e_until 5 "a settings file with lines that are no settings: the choice" grep -q '^UnitType=4$' "$ini"
kill -TERM "$METRIVO_PID"
e2e_wait_end 0 "a settings file with lines that are no settings"
cmp -s "$ini.damaged" "$E2E_WORK/damaged.before" || fail "damaged settings: not kept aside as they were"
for file in "$ini" "$ini.damaged"; do
    [ "$(stat -c %U:%G:%a "$file")" = "${owner}:600" ] || fail "damaged settings: $file is $(stat -c %U:%G:%a "$file")"
done
grep -Ev "$ours" "$E2E_WORK/damaged.before" >"$E2E_WORK/damaged.rest"
grep -Ev "$ours" "$ini" | grep -vx '\[Metrivo\]' >"$E2E_WORK/damaged-after.rest" || true
grep -vx '\[Metrivo\]' "$E2E_WORK/damaged.rest" | cmp -s - "$E2E_WORK/damaged-after.rest" ||
    fail "damaged settings: lines lost"
note "a settings file with lines that are no settings: every line kept, the copy and the file $owner 600"

# 7. Ending without the close box, on the shared file: the signals a logout or
# a stopped service sends (SIGQUIT too), and a display that goes away at once
# after the choice. The category chosen is kept, and every other byte.
# A choice of category stores the lists' selections at once: the file is
# replaced.
replaced() { [ "$(stat -c %i "$1")" != "$2" ]; }
choose_weight() {
    local before
    e2e_await_first_frame
    before=$(stat -c %i "$ini")
    xdotool mousemove --window "$window" $(e2e_centre optUnits_4) click 1
    e2e_until 5 "the choice" replaced "$ini" "$before"
}
end_and_check() {
    local what=$1
    e2e_wait_end "$2" "$what"
    grep -qx 'UnitType=4' "$ini" || { cat "$ini"; fail "$what: the chosen category was lost"; }
    grep -Ev "$ours" "$ini" >"$E2E_WORK/after.rest"
    cmp -s "$E2E_WORK/before.rest" "$E2E_WORK/after.rest" || fail "$what: other bytes changed"
}
export XDG_CONFIG_HOME="$E2E_WORK/shared"
ini="$XDG_CONFIG_HOME/Orvandel.ini"
for signal in TERM HUP INT QUIT; do
    cp "$E2E_WORK/before.ini" "$ini"
    e2e_start_counting "$program" "SIG$signal"
    choose_weight
    kill -s "$signal" "$METRIVO_PID"
    end_and_check "SIG$signal" 0
    note "SIG$signal on the shared file: status 0, the choice and every other byte kept"
done
# An X server of its own for the one that goes away.
cp "$E2E_WORK/before.ini" "$ini"
e2e_x_server
e2e_start_counting "$program" "lost display"
choose_weight
kill "$E2E_XVFB_PID"
end_and_check "lost display" 1
note "lost display on the shared file: status 1, the choice and every other byte kept"

# 7b. Standard error that no one reads any more ("metrivo 2>&1 | true"), and a
# settings warning to write there: the window goes on, and closes cleanly.
e2e_x_server
export XDG_CONFIG_HOME="$E2E_WORK/plain/config"
echo x >"$E2E_WORK/plain"
E2E_LAUNCHER=(python3 -c 'import os, signal, sys
r, w = os.pipe()
os.close(r)
os.dup2(w, 2)
signal.signal(signal.SIGPIPE, signal.SIG_DFL)
os.execv(sys.argv[1], sys.argv[1:])')
e2e_start_counting "$program" "standard error closed"
E2E_LAUNCHER=()
# The list selections restored by the load are stored after the first frame,
# here with a warning; then a conversion, and the close.
e2e_focus "$window"
xdotool key --delay 30 Return
[ "$(e2e_result "$window")" = 1 ] || fail "standard error closed: the window did not answer"
e2e_close "$window" 5 "standard error closed"
note "standard error closed: the warning written to no one, the window closed cleanly"

# 8. A slow disk, as an NFS or USB home can be: every fsync of the program
# returns late (strace makes it so, on all its threads). The window answers
# at once however many writes wait for the disk; with two windows closed
# together, the one closed last has the last word.
if command -v strace >/dev/null && strace -o /dev/null true 2>/dev/null; then
    # slow_disk PID MS: each fsync of PID returns MS milliseconds late.
    slow_disk() {
        strace -f -p "$1" -o /dev/null -e trace=fsync -e inject=fsync:delay_exit=$(($2 * 1000)) \
            2>"$E2E_WORK/strace.$1" &
        E2E_PIDS+=("$!")
        e2e_until 5 "strace on $1" grep -q attached "$E2E_WORK/strace.$1"
    }
    # The leak check of a sanitizer build cannot run under ptrace; the same
    # code is leak-checked in the cases above.
    export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"
    # window_of PID: the program's main window.
    window_of() { xdotool search --all --onlyvisible --pid "$1" --name '^Metrivo$' 2>/dev/null | head -1; }

    export XDG_CONFIG_HOME="$E2E_WORK/slow"
    mkdir -p "$XDG_CONFIG_HOME"
    SETTINGS="$XDG_CONFIG_HOME/Orvandel.ini"
    e2e_start_counting "$program" "a slow disk"
    e2e_await_first_frame
    slow_disk "$METRIVO_PID" 500
    e2e_focus "$window"
    # The source list has the focus: ten steps down, each a write of two
    # fsyncs (10 s of them), then the conversion, yard to centimeter, and its
    # result copied by the button, which must come while they wait.
    xdotool key --delay 30 Down Down Down Down Down Down Down Down Down Down Return
    result=$(e2e_result "$window")
    [ "$result" = 91.44 ] || fail "a slow disk: the window did not answer ('$result')"
    e2e_close "$window" 10 "a slow disk"
    e2e_expect_setting cboFromCurrency 10 "a slow disk"
    note "a slow disk (fsync 500 ms): the result at once, closed after ${closed} ms, the last step stored"

    export XDG_CONFIG_HOME="$E2E_WORK/two"
    mkdir -p "$XDG_CONFIG_HOME"
    ini="$XDG_CONFIG_HOME/Orvandel.ini"
    SETTINGS=$ini
    e2e_start_counting "$program" "the first of two windows"
    e2e_await_first_frame
    first=$METRIVO_PID
    first_window=$window
    xdotool windowmove "$first_window" 0 0
    before=$(stat -c %i "$ini")
    "$program" >"$E2E_WORK/second.out" 2>"$E2E_WORK/second.err" &
    second=$!
    E2E_PIDS+=("$second")
    # The second window is drawn once it has stored its lists.
    e2e_until 5 "the second window" replaced "$ini" "$before"
    second_window=$(window_of "$second")
    xdotool windowmove "$second_window" 640 0
    xdotool mousemove --window "$first_window" $(e2e_centre optUnits_2) click 1     # Speed
    e2e_await_setting UnitType 2
    xdotool mousemove --window "$second_window" $(e2e_centre optUnits_4) click 1    # Weight
    e2e_await_setting UnitType 4
    slow_disk "$first" 1500
    slow_disk "$second" 1500
    # The first closed writes for three seconds under the lock; the second,
    # closed while it does, waits for it.
    "$CLOSEREQUEST" "$first_window"
    e2e_until 5 "the first window's last write" test -e "$ini.lock"
    "$CLOSEREQUEST" "$second_window"
    e2e_wait_end 0 "the first of two windows" 20
    status=0
    wait "$second" || status=$?
    [ "$status" = 0 ] || fail "the second of two windows: exit status $status"
    ! grep -h 'cannot save' "$E2E_WORK/stderr.txt" "$E2E_WORK/second.err" || fail "two windows: a write was not saved"
    e2e_expect_setting UnitType 4 "two windows closed together"
    note "two windows closed together on a slow disk (fsync 1.5 s): the one closed last wins"
else
    note "SKIP a slow disk: strace cannot trace here"
fi

echo "PASS: ${#results[@]} settings cases"
