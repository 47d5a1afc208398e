#!/usr/bin/env bash
# Builds the benchmarks in Release mode and runs them one after the other; each prints its
# figures next to a baseline measured in the same run. Pass benchmark names to run only those
# (wire_bench, session_bench, profile_bench, sync_bench, editor_bench, completion_bench,
# startup_bench, compose_bench, sent_items_bench, contacts_bench, import_bench).
set -euo pipefail
QUILLON_ROOT=$(cd "$(dirname "$0")/.." && pwd)
source "$QUILLON_ROOT/scripts/common.sh"
ensure_packages

build=$QUILLON_ROOT/build-bench
configure_and_build "$build" -DCMAKE_BUILD_TYPE=Release
benches=("$@")
[ ${#benches[@]} -gt 0 ] || benches=(wire_bench session_bench profile_bench sync_bench editor_bench completion_bench
    startup_bench compose_bench sent_items_bench contacts_bench import_bench)
for bench in "${benches[@]}"; do
    [ -x "$build/bench/$bench" ] || die "no such benchmark: $bench"
    echo "== $bench"
    "$build/bench/$bench"
done
