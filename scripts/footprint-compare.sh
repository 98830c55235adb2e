#!/usr/bin/env bash
# Idle footprint of the client beside transmission-qt, under the same virtual display for the
# same time: ferrovane against the simulated router with its dozen tasks at a 5 s refresh, and
# transmission-qt connected to a transmission-daemon holding 12 torrents made here. Everything
# stays on loopback: the daemon's RPC and peer listeners are bound to 127.0.0.1, DHT, LPD, PEX,
# uTP and port mapping are off, its torrents are private, never started, and announce to a
# closed loopback port. Prints resident memory and CPU for both and checks the client's bounds
# (at most 45 MB and 0.1 % of a core, and at most a third of transmission-qt's of each).
#
#     scripts/footprint-compare.sh [SECONDS]        (120 unless given; DISPLAY is used if set)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-120}
warmup=${FV_FOOTPRINT_WARMUP:-15}

scripts/ensure-deps.sh --demo
# Only this comparison needs them, so they are not among the build's packages. A package's
# own start of its system service is refused while they are installed.
need=()
for p in transmission-daemon transmission-qt; do
    [ "$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)" = "install ok installed" ] ||
        need+=("$p")
done
if [ ${#need[@]} -gt 0 ]; then
    [ "$(id -u)" -eq 0 ] || { echo "Run as root to install ${need[*]}." >&2; exit 1; }
    made_policy=""
    if [ ! -e /usr/sbin/policy-rc.d ]; then
        printf '#!/bin/sh\nexit 101\n' > /usr/sbin/policy-rc.d && chmod +x /usr/sbin/policy-rc.d
        made_policy=1
    fi
    DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${need[@]}"
    [ -n "$made_policy" ] && rm -f /usr/sbin/policy-rc.d
    # A system service the package enabled stays off: this script runs its own daemon.
    if command -v systemctl >/dev/null && systemctl is-system-running >/dev/null 2>&1; then
        systemctl disable --now transmission-daemon >/dev/null 2>&1 || true
    fi
fi

cmake --preset plain >/dev/null
cmake --build --preset plain --target ferrovane fv-routersim >/dev/null
bin=build/plain

work=$(mktemp -d /tmp/fv-footprint-XXXXXX)
chmod 700 "$work"
pids=()
cleanup() {
    for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

free_port() {
    python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1",0)); print(s.getsockname()[1])'
}

if [ -z "${DISPLAY:-}" ]; then
    Xvfb -displayfd 3 -screen 0 1280x900x24 -nolisten tcp 3>"$work/display" &
    pids+=($!)
    for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
    export DISPLAY=":$(cat "$work/display")"
fi

# The daemon and its dozen private torrents, never started.
rpc_port=$(free_port)
peer_port=$(free_port)
mkdir -p "$work/tr/config" "$work/tr/data" "$work/tr/torrents" "$work/trqt"
cat > "$work/tr/config/settings.json" <<EOF
{
    "bind-address-ipv4": "127.0.0.1",
    "bind-address-ipv6": "::1",
    "rpc-bind-address": "127.0.0.1",
    "rpc-port": $rpc_port,
    "rpc-authentication-required": false,
    "rpc-whitelist-enabled": true,
    "rpc-whitelist": "127.0.0.1",
    "rpc-host-whitelist-enabled": false,
    "peer-port": $peer_port,
    "peer-port-random-on-start": false,
    "dht-enabled": false,
    "lpd-enabled": false,
    "pex-enabled": false,
    "utp-enabled": false,
    "port-forwarding-enabled": false,
    "start-added-torrents": false,
    "blocklist-enabled": false,
    "download-dir": "$work/tr/data",
    "message-level": 1
}
EOF
for i in $(seq -w 1 12); do
    head -c 262144 /dev/urandom > "$work/tr/data/file$i.bin"
    mktorrent -p -a "http://127.0.0.1:9/announce" -o "$work/tr/torrents/file$i.torrent" \
        "$work/tr/data/file$i.bin" >/dev/null
done
transmission-daemon -f -g "$work/tr/config" > "$work/tr/daemon.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do
    transmission-remote "127.0.0.1:$rpc_port" -l >/dev/null 2>&1 && break
    sleep 0.1
done
for t in "$work"/tr/torrents/*.torrent; do
    transmission-remote "127.0.0.1:$rpc_port" -a "$t" >/dev/null
done
transmission-remote "127.0.0.1:$rpc_port" -t all --stop >/dev/null
torrents=$(transmission-remote "127.0.0.1:$rpc_port" -l | grep -c 'file[0-9]*\.bin' || true)

# The client against the simulated router's dozen tasks, refreshing every 5 s.
mkdir -p "$work/fv"
"$bin/tools/routersim/fv-routersim" --demo --no-discovery --service-port 0 --web-port 0 \
    --auth-port 0 --write-client-settings "$work/fv/FVSetup.xml" > "$work/sim.log" 2>&1 &
pids+=($!)
for _ in $(seq 50); do [ -s "$work/fv/FVSetup.xml" ] && break; sleep 0.1; done
iconv -f UTF-16 -t UTF-8 "$work/fv/FVSetup.xml" | grep -q "<Autorefresh>5</Autorefresh>" ||
    { echo "the settings file does not refresh every 5 s" >&2; exit 1; }

FV_DISCOVERY_LOOPBACK=9999 FV_DATA_DIR="$work/fv" FV_RESOURCE_DIR="$PWD/resources" \
    "$bin/src/ui/ferrovane" > "$work/ferrovane.log" 2>&1 &
fv_pid=$!
pids+=($fv_pid)
# transmission-qt straight to the daemon: no consent or session dialog, never a local session.
cat > "$work/trqt/settings.json" <<EOF
{
    "user-has-given-informed-consent": true,
    "remote-session-enabled": true,
    "remote-session-host": "127.0.0.1",
    "remote-session-port": $rpc_port,
    "remote-session-requres-authentication": false,
    "show-notification-area-icon": false,
    "main-window-width": 900,
    "main-window-height": 500
}
EOF
XDG_RUNTIME_DIR="$work/trqt" transmission-qt -g "$work/trqt" -r 127.0.0.1 -p "$rpc_port" \
    > "$work/trqt.log" 2>&1 &
qt_pid=$!
pids+=($qt_pid)

sleep "$warmup"
ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
rss_kb() { awk '/^VmRSS:/ {print $2}' "/proc/$1/status"; }
for p in $fv_pid $qt_pid; do
    [ -d "/proc/$p" ] || { echo "a program ended early; see $work" >&2; trap - EXIT; exit 1; }
done
fv0=$(ticks $fv_pid); qt0=$(ticks $qt_pid)
fv_peak=0; qt_peak=0
end=$((SECONDS + seconds))
while [ $SECONDS -lt $end ]; do
    sleep 5
    f=$(rss_kb $fv_pid); q=$(rss_kb $qt_pid)
    [ "$f" -gt "$fv_peak" ] && fv_peak=$f
    [ "$q" -gt "$qt_peak" ] && qt_peak=$q
done
fv1=$(ticks $fv_pid); qt1=$(ticks $qt_pid)
hz=$(getconf CLK_TCK)

python3 - "$seconds" "$hz" "$fv0" "$fv1" "$fv_peak" "$(rss_kb $fv_pid)" \
    "$qt0" "$qt1" "$qt_peak" "$(rss_kb $qt_pid)" "$torrents" <<'EOF'
import sys
secs, hz = float(sys.argv[1]), float(sys.argv[2])
fv0, fv1, fv_peak, fv_end, qt0, qt1, qt_peak, qt_end = map(float, sys.argv[3:11])
torrents = sys.argv[11]
fv_cpu = (fv1 - fv0) / hz / secs * 100
qt_cpu = (qt1 - qt0) / hz / secs * 100
print(f"{'':16}{'RSS peak MB':>12}{'RSS end MB':>12}{'CPU % of a core':>17}")
print(f"{'ferrovane':16}{fv_peak/1024:12.1f}{fv_end/1024:12.1f}{fv_cpu:17.3f}   (12 tasks, 5 s refresh)")
print(f"{'transmission-qt':16}{qt_peak/1024:12.1f}{qt_end/1024:12.1f}{qt_cpu:17.3f}   ({torrents} torrents)")
print(f"measured over {secs:.0f} s after the warm-up, CPU from /proc utime+stime")
checks = [
    ("RSS <= 45 MB", fv_peak / 1024 <= 45),
    ("CPU <= 0.1 % of a core", fv_cpu <= 0.1),
    ("RSS <= 1/3 of transmission-qt's", fv_peak * 3 <= qt_peak),
    ("CPU <= 1/3 of transmission-qt's", fv_cpu * 3 <= qt_cpu),
]
for name, ok in checks:
    print(f"{'ok  ' if ok else 'FAIL'} {name}")
sys.exit(0 if all(ok for _, ok in checks) else 1)
EOF
