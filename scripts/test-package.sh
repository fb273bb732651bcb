#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the .deb, checks it with lintian, installs it, checks the licence, the tovelo2 command
# and the menu entry, starts the installed program as two ordinary accounts made for the test
# (from the menu entry's command, and as tovelo2 from the PATH on a virtual X display, where the
# window's class must name the menu entry), closes it politely (SIGTERM), checks where each
# account's files went, then removes the package and checks that /usr holds nothing of it.
# Needs root (dpkg -i, useradd); skipped with a note otherwise.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ "$(id -u)" -ne 0 ]; then
    echo "test-package: skipped, installing a package and making accounts needs root"
    exit 0
fi
if dpkg-query -W -f='${Status}' tovelo2 2>/dev/null | grep -q 'install ok installed'; then
    echo "test-package: tovelo2 is installed on this machine; remove it first" >&2
    exit 1
fi

accounts=(tovelo2-test-a tovelo2-test-b)
readiness_limit=600 # tenths of a second for the program to open its window (a busy machine)
close_limit=30      # seconds for the program to save and end after SIGTERM
work="$(mktemp -d)"
chmod 755 "$work" # the accounts' home folders are made in it
pid=""
xvfb=""
fail() {
    echo "test-package: FAIL: $*" >&2
    exit 1
}
cleanup() {
    set +e
    [ -n "$pid" ] && kill -KILL "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null && wait "$xvfb" 2>/dev/null
    dpkg-query -W -f='${Status}' tovelo2 2>/dev/null | grep -q 'install ok installed' &&
        dpkg --purge tovelo2 >/dev/null
    for account in "${accounts[@]}"; do
        id "$account" >/dev/null 2>&1 && userdel "$account"
    done
    rm -rf "$work"
}
trap cleanup EXIT

scripts/package.sh
deb="$(ls build-package/tovelo2_*.deb)"

echo "test-package: lintian"
lintian --fail-on error,warning --tag-display-limit 0 "$deb"

echo "test-package: installing $deb"
dpkg -i "$deb"
desktop=/usr/share/applications/tovelo2.desktop
desktop-file-validate "$desktop"
appstreamcli validate --no-net /usr/share/metainfo/example.tovelo2.Tovelo2.metainfo.xml
dpkg -L tovelo2 >"$work/files"

# The menu entry's command, without field codes (the entry has none today).
command="$(sed -n 's/^Exec=//p' "$desktop" | head -n 1)"
[ -x "$command" ] || fail "menu entry command '$command' is not an executable"
program_folder="$(dirname "$command")"
version="$(dpkg-query -W -f='${Version}' tovelo2)"

# Free software: GPL-3.0-or-later, its text the one every Debian system holds.
copyright=/usr/share/doc/tovelo2/copyright
grep -qx 'License: GPL-3+' "$copyright" && grep -q '"/usr/share/common-licenses/GPL-3"' "$copyright" &&
    [ -s /usr/share/common-licenses/GPL-3 ] || fail "$copyright does not grant the GPL 3 or later"
# The command for shells is a link to the program the menu entry starts.
[ -L /usr/bin/tovelo2 ] && [ "$(readlink -f /usr/bin/tovelo2)" = "$command" ] ||
    fail "/usr/bin/tovelo2 is not a link to $command"
# Docks tie a window to the menu entry whose name or StartupWMClass is the window's class.
entry_name="$(basename "$desktop" .desktop)"
[ "$(sed -n 's/^StartupWMClass=//p' "$desktop")" = "$entry_name" ] ||
    fail "StartupWMClass of $desktop is not $entry_name"

# A virtual display for the second account, as a desktop session would give it.
Xvfb -displayfd 3 -screen 0 1366x768x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb=$!
timeout 60 sh -c "until [ -s '$work/display' ]; do sleep 0.1; done" || fail "Xvfb did not start"
display=":$(cat "$work/display")"

# True once the program catches SIGTERM: it then waits in its event loop. The process runs the
# shell and setpriv before it runs the program, and the shell may catch SIGTERM too.
catches_term() {
    local mask
    [ "$(readlink "/proc/$1/exe" 2>/dev/null)" = "$command" ] || return 1
    mask="$(sed -n 's/^SigCgt:\s*//p' "/proc/$1/status" 2>/dev/null)" || return 1
    [ -n "$mask" ] && (((0x$mask >> 14) & 1))
}

for account in "${accounts[@]}"; do
    home="$work/$account"
    id "$account" >/dev/null 2>&1 || useradd --no-create-home --home-dir "$home" "$account"
    runtime="$work/$account-runtime" # kept out of /tmp, where Qt would make one otherwise
    mkdir -p "$home" "$runtime"
    chown "$account:" "$home" "$runtime"
    chmod 700 "$runtime"
    touch "$work/before"
    as_account=(setpriv --reuid="$account" --regid="$account" --init-groups
        env -i HOME="$home" XDG_RUNTIME_DIR="$runtime" PATH=/usr/bin:/bin LANG=C.UTF-8)

    # From a shell, --version answers without a display (and writes nothing: checked below).
    answer="$(cd "$home" && "${as_account[@]}" tovelo2 --version)" ||
        fail "$account: tovelo2 --version failed"
    [ "$answer" = "Tovelo2 $version" ] || fail "$account: tovelo2 --version said '$answer'"

    # Started in the home folder, as from a terminal: a file written to the current folder
    # would lie loose there. The first account starts the menu entry's command, the second
    # the command for shells on the virtual display.
    if [ "$account" = "${accounts[0]}" ]; then
        start=(QT_QPA_PLATFORM=offscreen "$command")
    else
        start=(QT_QPA_PLATFORM=xcb DISPLAY="$display" tovelo2)
    fi
    (cd "$home" && exec "${as_account[@]}" "${start[@]}") >"$work/$account.log" 2>&1 &
    pid=$!
    for ((i = 0; i < readiness_limit; i++)); do
        catches_term "$pid" && break
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    catches_term "$pid" || fail "$account: the program did not start: $(grep -s State "/proc/$pid/status")" \
        "(log: $(cat "$work/$account.log"); in its home: $(find "$home" -mindepth 1 | tr '\n' ' '))"
    if [ "$account" = "${accounts[1]}" ]; then
        # The main window's title is "Tovelo2.1"; its class is the second string of WM_CLASS.
        class="$(DISPLAY="$display" timeout 60 sh -c \
            'until xprop -name Tovelo2.1 WM_CLASS; do sleep 0.1; done' 2>/dev/null |
            sed -n 's/^WM_CLASS(STRING) = ".*", "\(.*\)"$/\1/p')" || true
        [ "$class" = "$entry_name" ] || fail "$account: the window's class '$class' is not $entry_name"
        echo "test-package: the window's class is $class, as the menu entry's name"
    fi
    kill -TERM "$pid"
    status=0
    timeout "$close_limit" tail --pid="$pid" -f /dev/null || fail "$account: no end after SIGTERM"
    wait "$pid" || status=$?
    pid=""
    [ "$status" -eq 0 ] || fail "$account: exit status $status (log: $(cat "$work/$account.log"))"

    data="$home/.local/share/Tovelo2"
    for file in SaveStat.ini SaveRes.res SaveRes.hst; do
        [ -f "$data/$file" ] || fail "$account: $data/$file is missing"
        [ "$(stat -c %U "$data/$file")" = "$account" ] || fail "$account: $file is not the account's"
    done
    for folder in Dic Img Sound/Bad; do
        [ -d "$data/$folder" ] || fail "$account: its own $data/$folder is missing"
    done
    # Outside the data folder the home holds only what the desktop libraries keep in ~/.cache.
    loose="$(cd "$home" && find . -mindepth 1 -newer "$work/before" \
        -not -path ./.local -not -path ./.local/share -not -path './.local/share/Tovelo2*' \
        -not -path ./.cache -not -path './.cache/*')"
    [ -z "$loose" ] || fail "$account: loose in its home: $loose"
    written="$(find "$program_folder" -newer "$work/before"; find /usr -xdev -user "$account")"
    [ -z "$written" ] || fail "$account: wrote under /usr: $written"
    echo "test-package: $account kept its files in $data"
done

echo "test-package: removing the package"
dpkg --purge tovelo2 >/dev/null
while read -r path; do
    [ -d "$path" ] && continue
    [ ! -e "$path" ] || fail "$path is still there after removal"
done <"$work/files"
[ ! -e "$program_folder" ] || fail "$program_folder is still there after removal"
echo "test-package: passed"
