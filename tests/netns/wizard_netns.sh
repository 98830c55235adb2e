#!/usr/bin/env bash
# The first-run wizard of the real window against two simulated routers, each in a network
# namespace of its own, found by the client's real broadcasts: KR-PUBLIC on 192.0.2.0/24 with
# a public WAN address and KR-BEHIND on 198.51.100.0/24 behind another router. Every
# broadcast stays inside these namespaces. Afterwards a search shows which router the wizard
# gave a DDNS name: the public one, and not the one behind another router.
# Usage: wizard_netns.sh WIZARD-WINDOW-TESTS FVCTL FV-ROUTERSIM
set -euo pipefail

tests=$1
fvctl=$2
sim=$3

. "$(dirname "$0")/test_network.sh"
enter_test_network "wizard's test network" "$0" "$@"
begin_test_network
for n in 1 2; do ip link add br$n type bridge; done
ip addr add 192.0.2.1/24 dev br1
ip addr add 198.51.100.1/24 dev br2
for n in 1 2; do ip link set br$n up; done
ip route add default dev br1

# attach NAMESPACE BRIDGE ADDRESS/PREFIX GATEWAY
attach() {
    local host="v$1"
    ip link add "$host" type veth peer name eth0 netns "$1"
    ip link set "$host" master "$2" up
    nsenter -t "$1" -n ip addr add "$3" dev eth0
    nsenter -t "$1" -n ip link set eth0 up
    nsenter -t "$1" -n ip route add default via "$4"
}

# router NAMESPACE ADDRESS NAME ARGS...: a simulated router with its web, service,
# authentication and utility ports on ADDRESS, answering discovery on 0.0.0.0:9999.
router() {
    local ns=$1 address=$2 name=$3
    shift 3
    start_router "$ns" "$name" "$sim" --bind "$address" --discovery-bind 0.0.0.0 \
        --discovery-name "$name" "$@"
}

new_namespace; public=$namespace
attach "$public" br1 192.0.2.10/24 192.0.2.1
router "$public" 192.0.2.10 KR-PUBLIC --discovery-mac 02:00:00:00:00:11 \
    --discovery-wan 203.0.113.45
new_namespace; behind=$namespace
attach "$behind" br2 198.51.100.20/24 198.51.100.1
router "$behind" 198.51.100.20 KR-BEHIND --discovery-mac 02:00:00:00:00:12 \
    --discovery-wan 192.168.5.2

export FV_DATA_DIR=$work/data
mkdir -p "$FV_DATA_DIR"
FV_WIZARD_NETNS=1 QT_QPA_PLATFORM=offscreen \
    "$tests" --gtest_filter='WizardWindow.InATestNetwork*' >"$work/wizard.txt" 2>&1 ||
    { cat "$work/wizard.txt"; fail "the wizard in the test network"; }
grep -q '\[  PASSED  \] 1 test' "$work/wizard.txt" ||
    { cat "$work/wizard.txt"; fail "the wizard's window test did not run"; }
echo "ok: the first start found both routers by broadcast, finished and went online"

"$fvctl" discover >"$work/after.txt" 2>&1 || fail "discover: $(cat "$work/after.txt")"
grep -E '^KR-PUBLIC ' "$work/after.txt" | grep -qE ' [0-9A-Za-z]{32,35}\.' ||
    { cat "$work/after.txt"; fail "KR-PUBLIC did not get a DDNS name"; }
behind_row=$(grep -E '^KR-BEHIND ' "$work/after.txt") || fail "KR-BEHIND is not listed"
if echo "$behind_row" | grep -qE '[0-9A-Za-z]{32,35}\.'; then
    fail "KR-BEHIND (behind another router) got a DDNS name: $behind_row"
fi
echo "ok: the public router got its DDNS name, the one behind another router none"
