#!/usr/bin/env bash
# Builds the .deb, checks it with lintian, installs it, starts the installed program from its
# menu entry's command as two ordinary accounts made for the test, closes it politely (SIGTERM),
# checks where each account's files went, then removes the package and checks that /usr holds
# nothing of it. Needs root (dpkg -i, useradd); skipped with a note otherwise.
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
fail() {
    echo "test-package: FAIL: $*" >&2
    exit 1
}
cleanup() {
    set +e
    [ -n "$pid" ] && kill -KILL "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
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

    # Started in the home folder, as from a terminal: a file written to the current folder
    # would lie loose there.
    (cd "$home" && exec setpriv --reuid="$account" --regid="$account" --init-groups \
        env -i HOME="$home" XDG_RUNTIME_DIR="$runtime" PATH=/usr/bin:/bin \
        QT_QPA_PLATFORM=offscreen LANG=C.UTF-8 \
        "$command") >"$work/$account.log" 2>&1 &
    pid=$!
    for ((i = 0; i < readiness_limit; i++)); do
        catches_term "$pid" && break
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    catches_term "$pid" || fail "$account: the program did not start: $(grep -s State "/proc/$pid/status")" \
        "(log: $(cat "$work/$account.log"); in its home: $(find "$home" -mindepth 1 | tr '\n' ' '))"
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
