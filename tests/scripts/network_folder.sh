#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Mounts one folder twice through sshfs, as two machines of a classroom see one network folder:
# an sshd of its own on 127.0.0.1 serves it, each mount is a separate FUSE connection, and the
# attribute and directory caches are off as a school's mount would have them.
#   network_folder.sh up WORK      makes WORK/shared, mounts it at WORK/a and WORK/b, prints "ready"
#   network_folder.sh down WORK    unmounts both and stops the sshd
# Needs root (sshd, FUSE); exits 77 with a reason on stderr when it cannot be had.
set -euo pipefail
command="$1"
work="$2"

skip() {
    echo "network folder unavailable: $*" >&2
    exit 77
}

down() {
    for mount in "$work/a" "$work/b"; do
        mountpoint -q "$mount" 2>/dev/null && { fusermount3 -u "$mount" 2>/dev/null || umount -l "$mount"; }
    done
    if [ -f "$work/sshd.pid" ]; then
        kill "$(cat "$work/sshd.pid")" 2>/dev/null || true
        rm -f "$work/sshd.pid"
    fi
}

if [ "$command" = down ]; then
    down
    exit 0
fi

[ "$(id -u)" -eq 0 ] || skip "sshd and FUSE mounts need root"
[ -x /usr/sbin/sshd ] || skip "openssh-server is not installed"
command -v sshfs >/dev/null || skip "sshfs is not installed"
[ -c /dev/fuse ] || skip "no /dev/fuse"

mkdir -p "$work/shared" "$work/a" "$work/b" /run/sshd
ssh-keygen -q -t ed25519 -N '' -f "$work/host_key"
ssh-keygen -q -t ed25519 -N '' -f "$work/client_key"
cp "$work/client_key.pub" "$work/authorized_keys"

start_sshd() {
cat >"$work/sshd_config" <<CONFIG
ListenAddress 127.0.0.1
Port $port
HostKey $work/host_key
AuthorizedKeysFile $work/authorized_keys
PidFile $work/sshd.pid
PermitRootLogin prohibit-password
PasswordAuthentication no
KbdInteractiveAuthentication no
UsePAM no
StrictModes no
Subsystem sftp internal-sftp
CONFIG
/usr/sbin/sshd -f "$work/sshd_config" -E "$work/sshd.log"
}

# A port that is free: sshd refuses to start on one that is taken, and another is tried.
started=
for attempt in 1 2 3 4 5 6 7 8 9 10; do
    port=$((20000 + RANDOM % 30000))
    if start_sshd; then
        started=yes
        break
    fi
done
[ -n "$started" ] || skip "sshd did not start: $(cat "$work/sshd.log")"

options="port=$port,IdentityFile=$work/client_key,StrictHostKeyChecking=no,UserKnownHostsFile=/dev/null"
options="$options,BatchMode=yes,cache=no,attr_timeout=0,entry_timeout=0,negative_timeout=0"
for mount in "$work/a" "$work/b"; do
    for attempt in 1 2 3 4 5 6 7 8 9 10; do
        sshfs -o "$options" "root@127.0.0.1:$work/shared" "$mount" 2>"$work/sshfs.log" && break
        sleep 0.3
    done
    mountpoint -q "$mount" || { down; skip "sshfs did not mount: $(cat "$work/sshfs.log")"; }
done
echo ready
