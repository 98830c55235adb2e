# Sourced by the tests that build their own network from namespaces: entering a user and
# network namespace of their own, the scratch folder, the processes to stop at the end, and
# router namespaces.

# enter_test_network WHAT SCRIPT ARGS...: runs SCRIPT again inside a fresh user and network
# namespace (nothing it sends reaches the machine's interfaces), or skips (exit 77) where
# namespaces cannot be made. Inside, it returns.
enter_test_network() {
    local what=$1 script=$2
    shift 2
    [ "${FV_NETNS_INSIDE:-}" = 1 ] && return 0
    if ! unshare -rn true 2>/dev/null; then
        echo "SKIP: network namespaces cannot be made here (unshare -rn failed), so the" \
             "$what cannot be built"
        exit 77
    fi
    FV_NETNS_INSIDE=1 exec unshare -rn bash "$script" "$@"
}

# begin_test_network: the scratch folder $work, the list of processes $pids stopped at the
# end, and the namespace's loopback up.
begin_test_network() {
    work=$(mktemp -d)
    pids=()
    trap cleanup EXIT
    ip link set lo up
}
cleanup() {
    for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
fail() { echo "FAIL: $*"; exit 1; }

# A process holding a fresh network namespace; its pid names the namespace.
new_namespace() {
    unshare -n sleep 600 >/dev/null 2>&1 &
    local pid=$! me
    me=$(readlink /proc/self/ns/net)
    for _ in $(seq 300); do
        [ "$(readlink "/proc/$pid/ns/net" 2>/dev/null)" != "$me" ] && break
        sleep 0.01
    done
    nsenter -t "$pid" -n ip link set lo up
    namespace=$pid
    pids+=("$pid")
}

# start_router NAMESPACE NAME PROGRAM ARGS...: a simulated router in NAMESPACE, logging to
# $work/NAME.log; returns once it answers discovery.
start_router() {
    local ns=$1 name=$2
    shift 2
    nsenter -t "$ns" -n "$@" >"$work/$name.log" 2>&1 &
    pids+=("$!")
    for _ in $(seq 300); do
        grep -q 'discovery' "$work/$name.log" 2>/dev/null && return 0
        sleep 0.01
    done
    cat "$work/$name.log"
    fail "router $name did not start"
}
