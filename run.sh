#!/usr/bin/env bash
# The demo: builds Quillon, starts the operator service simulator on a free loopback port with
# a demo account, and prepares a throw-away profile folder with the command-line client: the
# demo account logged in with its password saved, the desktop program set up for that one user
# (so it logs in without asking), a few contacts and a few sent messages. Then it runs the
# desktop program quillon; when that closes, the simulator stops and the folder goes.
# Without a display (neither DISPLAY nor WAYLAND_DISPLAY) it runs a short command-line scenario
# instead: log in, send with delivery reports, wait for the reports, list the archive.
set -euo pipefail
QUILLON_ROOT=$(cd "$(dirname "$0")" && pwd)
source "$QUILLON_ROOT/scripts/common.sh"
ensure_packages

desktop=
[ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ] && desktop=1
targets=(quillon-sim quillon-cli)
[ -n "$desktop" ] && targets+=(quillon)

build=$QUILLON_ROOT/build
cmake -S "$QUILLON_ROOT" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null ||
    die "cmake configure failed"
cmake --build "$build" -j "$(nproc)" --target "${targets[@]}" || die "build failed"
sim=$build/tools/sim/quillon-sim
cli=$build/tools/cli/quillon-cli

# Everything the demo writes (profile, simulator state) lives in one temporary folder.
demo=$(mktemp -d)
sim_pid=
seeded=
cleanup() {
    # The demo's saved password may sit in the desktop's keyring: take it out again.
    if [ -n "$seeded" ]; then
        "$cli" logout >/dev/null 2>&1 || true
    fi
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

# One demo account; every SMS reaches its final state a few seconds after sending (a number
# ending in 666 fails, one ending in 999 expires, any other is delivered).
"$sim" --port 0 --state "$demo/sim" --account demo:demo-secret:421905123456 \
    --delivery-after 5 >"$demo/sim.log" 2>&1 &
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
# The demo user writes Slovak: the profile's texts in the central European code page.
export QUILLON_ANSI_CODEPAGE=1250

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
if [ -z "$desktop" ]; then
    echo "No display (neither DISPLAY nor WAYLAND_DISPLAY): the command-line demo instead of" \
        "the desktop program."
    run login
    run send --report -m "Hello from the Quillon demo" 0905123401 0905123666
    # The first query is due 30 seconds after sending, as in the desktop program.
    run poll --wait --interval 1 --timeout 90
    run archive
    exit 0
fi

# The profile the desktop program starts with: logged in without a question, a few contacts,
# a few messages in the archive (their delivery reports come while the program runs).
seeded=1
run login --save-password
run settings --app-mode 2 --default-user demo
run contacts add "Jana Nováková" 0905123401
run contacts add "Peter Horák" 0905123402 0911123402
run contacts add "Mária Kováčová" 0905123403
run send --report -m "Ahoj Jana, vidíme sa o siedmej?" "Jana Nováková"
run send --report -m "Stretnutie sa presúva na štvrtok." 0905123402 0905123666
run send -m "Dobrú noc!" 0905123403

printf '\n\033[1m$ quillon\033[0m\n'
status=0
"$build/app/quillon" || status=$?
exit "$status"
