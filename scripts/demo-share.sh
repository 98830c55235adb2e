#!/usr/bin/env bash
# The demo router's file share: Debian's smbd on 127.0.0.1 and a free high port, everything
# (configuration, account database, locks, logs) under DEMO_DIR/share-server, serving the
# share "Download2" with the demo's finished files. The demo account admin/admin maps to the
# Unix user running it; smbd needs root for that. Prints "PID PORT" on success.
#   scripts/demo-share.sh DEMO_DIR
set -euo pipefail
demo_dir="$1"
command -v smbd >/dev/null || [ -x /usr/sbin/smbd ] || { echo "no smbd" >&2; exit 1; }
[ "$(id -u)" -eq 0 ] || { echo "smbd needs root to serve files as the account's user" >&2; exit 1; }
PATH="$PATH:/usr/sbin"
d="$demo_dir/share-server"
rm -rf "$d"
mkdir -p "$d"/{private,lock,state,cache,pid,ncalrpc,log} "$d/share/Complete" "$d/share/InComplete"
chmod 700 "$d"
for f in "Big Buck Bunny (4K).mkv" "archlinux-2024.12.01-x86_64.iso" "Cosmos Laundromat (2015).mp4"; do
    printf 'demo\n' >"$d/share/Complete/$f"
done
mkdir -p "$d/share/Complete/Blender-4.3-linux-x64.tar.xz"
port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1",0)); print(s.getsockname()[1])')
user=$(id -un)
printf '%s = admin\n' "$user" >"$d/users.map"
cat >"$d/smb.conf" <<CONF
[global]
  smb ports = $port
  interfaces = 127.0.0.1
  bind interfaces only = yes
  disable netbios = yes
  server role = standalone server
  map to guest = never
  username map = $d/users.map
  private dir = $d/private
  lock directory = $d/lock
  state directory = $d/state
  cache directory = $d/cache
  pid directory = $d/pid
  ncalrpc dir = $d/ncalrpc
  log file = $d/log/smbd.log
  passdb backend = tdbsam:$d/private/passdb.tdb
  load printers = no
  printing = bsd
  printcap name = /dev/null
  disable spoolss = yes
[Download2]
  path = $d/share
  read only = yes
CONF
printf 'admin\nadmin\n' | smbpasswd -c "$d/smb.conf" -s -a "$user" >/dev/null
# A session of its own: smbd signals its whole process group when it stops.
setsid smbd --foreground --no-process-group -s "$d/smb.conf" >"$d/log/stdout" 2>&1 </dev/null &
pid=$!
for _ in $(seq 50); do
    (echo >"/dev/tcp/127.0.0.1/$port") 2>/dev/null && { echo "$pid $port"; exit 0; }
    sleep 0.2
done
kill "$pid" 2>/dev/null || true
echo "smbd did not start; see $d/log" >&2
exit 1
