#!/usr/bin/env bash
# The demo: builds Quillon, starts the operator service simulator on a free loopback port with
# a demo account, and runs a short scenario with the command-line client in a throw-away
# profile folder: log in, send one message with delivery reports to two numbers (the second
# one fails to be delivered), wait for the reports, list the archive.
set -euo pipefail
QUILLON_ROOT=$(cd "$(dirname "$0")" && pwd)
source "$QUILLON_ROOT/scripts/common.sh"
ensure_packages

build=$QUILLON_ROOT/build
cmake -S "$QUILLON_ROOT" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null ||
    die "cmake configure failed"
cmake --build "$build" -j "$(nproc)" --target quillon-sim quillon-cli || die "build failed"
sim=$build/tools/sim/quillon-sim
cli=$build/tools/cli/quillon-cli

# Everything the demo writes (profile, simulator state) lives in one temporary folder.
demo=$(mktemp -d)
sim_pid=
cleanup() {
    if [ -n "$sim_pid" ]; then
        kill "$sim_pid" 2>/dev/null || true
        wait "$sim_pid" 2>/dev/null || true
    fi
    rm -rf "$demo"
}
trap cleanup EXIT
export XDG_DATA_HOME=$demo/data XDG_CONFIG_HOME=$demo/config XDG_RUNTIME_DIR=$demo/runtime
mkdir -p "$XDG_DATA_HOME" "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"

# One demo account; every SMS reaches its final state 2 seconds after sending (a number ending
# in 666 fails, one ending in 999 expires, any other is delivered).
"$sim" --port 0 --state "$demo/sim" --account demo:demo-secret:421905123456 \
    --delivery-after 2 >"$demo/sim.log" 2>&1 &
sim_pid=$!

# The simulator prints its address and its CA file once it listens.
for _ in $(seq 100); do
    grep -q '^CA file: ' "$demo/sim.log" && break
    kill -0 "$sim_pid" 2>/dev/null || { cat "$demo/sim.log" >&2; die "quillon-sim did not start"; }
    sleep 0.1
done
url=$(sed -n 's/^quillon-sim listening on //p' "$demo/sim.log")
ca=$(sed -n 's/^CA file: //p' "$demo/sim.log")
[ -n "$url" ] && [ -n "$ca" ] || die "quillon-sim did not report its address"

export QUILLON_SERVICE_URL=$url QUILLON_CA_FILE=$ca
export QUILLON_USER=demo QUILLON_PASSWORD=demo-secret

# Shows the command (arguments with blanks in quotes), then runs it.
run() {
    local shown=quillon-cli arg
    for arg in "$@"; do
        [[ $arg == *" "* ]] && arg="\"$arg\""
        shown+=" $arg"
    done
    printf '\n\033[1m$ %s\033[0m\n' "$shown"
    "$cli" "$@"
}

echo "quillon-sim listens on $url"
run login
run send --report -m "Hello from the Quillon demo" 0905123401 0905123666
# The first query is due 30 seconds after sending, as in the desktop program.
run poll --wait --interval 1 --timeout 90
run archive
