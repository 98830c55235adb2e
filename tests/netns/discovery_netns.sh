#!/usr/bin/env bash
# Router discovery across a test network built from network namespaces: a client namespace
# with two subnets (192.0.2.0/24 and 198.51.100.0/24) and a third one (198.18.0.0/23) for a
# fleet of 256 routers, each router in a namespace of its own, joined by veth pairs and
# bridges. Every broadcast stays inside these namespaces; none reaches the machine's own
# interfaces. Usage: discovery_netns.sh FVCTL FV-ROUTERSIM
set -euo pipefail

fvctl=$1
sim=$2

. "$(dirname "$0")/test_network.sh"
enter_test_network "discovery test network" "$0" "$@"
begin_test_network
for n in 1 2 3; do ip link add br$n type bridge; done
ip addr add 192.0.2.1/24 dev br1
ip addr add 198.51.100.1/24 dev br2
ip addr add 198.18.1.254/23 dev br3
for n in 1 2 3; do ip link set br$n up; done
# The limited broadcast leaves through the first subnet only; the others are reached by their
# subnet broadcasts.
ip route add default dev br1

# attach NAMESPACE BRIDGE IFNAME ADDRESS/PREFIX
attach() {
    local host="v$1$3"
    ip link add "$host" type veth peer name "$3" netns "$1"
    ip link set "$host" master "$2" up
    nsenter -t "$1" -n ip addr add "$4" dev "$3"
    nsenter -t "$1" -n ip link set "$3" up
}

# router NAMESPACE NAME ARGS...: a simulated router answering discovery on 0.0.0.0:9999.
router() {
    local ns=$1 name=$2
    shift 2
    start_router "$ns" "$name" "$sim" --bind 127.0.0.1 --web-port 0 --sharelink-port 4443 \
        --discovery-bind 0.0.0.0 --discovery-name "$name" "$@"
}

# One router on both subnets: its second reply (same MAC, other address) must be dropped.
new_namespace; r1=$namespace
attach "$r1" br1 eth0 192.0.2.10/24
attach "$r1" br2 eth1 198.51.100.10/24
router "$r1" KR-BX5400 --discovery-mac 02:00:00:00:00:01 --discovery-ddns bx.example \
    --discovery-wan 192.0.2.200 --discovery-ssid HOME-1 --discovery-printer $'Laser\nJet'

# An older router without the extension block.
new_namespace; r2=$namespace
attach "$r2" br2 eth0 198.51.100.20/24
router "$r2" KR-AX3000 --discovery-mac 02:00:00:00:00:02 --discovery-no-extension \
    --discovery-ssid HOME-2 --discovery-printer 'HP!$LaserJet 1020'

# A device in mode 2, which is never listed.
new_namespace; r3=$namespace
attach "$r3" br2 eth0 198.51.100.30/24
router "$r3" KR-CX1800 --discovery-mac 02:00:00:00:00:03 --discovery-mode 2

export FV_DATA_DIR=$work/data
"$fvctl" discover >"$work/table.txt" 2>"$work/err.txt" || fail "discover: $(cat "$work/err.txt")"
expected="$work/expected.txt"
cat >"$expected" <<'TABLE'
Device     SSID    IP Address     Subnet Mask    Printer        Mac Address        DDNS Name   WebDav HttpPort  WebDav WanIP  WebDav HttpsPort  FV Port
KR-AX3000  HOME-2  198.51.100.20  255.255.255.0  LaserJet 1020  02:00:00:00:00:02              0                0.0.0.0       0
KR-BX5400  HOME-1  192.0.2.10     255.255.255.0  LaserJet       02:00:00:00:00:01  bx.example  8082             192.0.2.200   4443
TABLE
sed -i 's/ *$//' "$expected" "$work/table.txt"
diff -u "$expected" "$work/table.txt" || fail "the discovered-router table differs"

"$fvctl" discover --json >"$work/search.json"
grep -q '"198.51.100.255"' "$work/search.json" || fail "no subnet broadcast to 198.51.100.255"
grep -q '"192.0.2.255"' "$work/search.json" || fail "no subnet broadcast to 192.0.2.255"
echo "ok: three routers on two subnets give the two expected rows"

# 256 more routers behind the third subnet: with the two above, the store is full at 255.
new_namespace; fleet=$namespace
attach "$fleet" br3 eth0 198.18.1.253/23
for i in $(seq 0 255); do
    echo "addr add 198.18.0.$((i + 1))/23 dev eth0"
done | sed 's#198.18.0.256/#198.18.1.0/#' | nsenter -t "$fleet" -n ip -batch -
router "$fleet" FLEET --discovery-fleet 256 --discovery-fleet-from 198.18.0.1
"$fvctl" discover >"$work/fleet.txt" 2>/dev/null || fail "discover with the fleet"
rows=$(($(wc -l <"$work/fleet.txt") - 1))
[ "$rows" -eq 255 ] || fail "expected 255 rows with 258 routers answering, got $rows"
echo "ok: the 256th router of a search is not listed (255 rows)"

# Another program holding port 9999 on the client's side is named.
nsenter_hold="$sim --bind 127.0.0.1 --web-port 0 --service-port 0 --auth-port 0 \
    --discovery-bind 0.0.0.0"
$nsenter_hold >"$work/holder.log" 2>&1 &
pids+=("$!")
for _ in $(seq 300); do grep -q discovery "$work/holder.log" && break; sleep 0.01; done
set +e
"$fvctl" discover >/dev/null 2>"$work/held.txt"
code=$?
set -e
[ "$code" -eq 13 ] || fail "a held port gives exit code 13, got $code"
grep -qF "fv-routersim has used port number : 9999, please close it and then try again." \
    "$work/held.txt" || fail "the holder is not named: $(cat "$work/held.txt")"
echo "ok: a held port 9999 names fv-routersim"
