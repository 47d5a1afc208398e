#!/usr/bin/env bash
# Builds and runs every test: the main build (warnings are errors), the unit tests again under
# AddressSanitizer and UndefinedBehaviorSanitizer, the concurrency tests under ThreadSanitizer,
# and short runs of every fuzz target.
set -euo pipefail
QUILLON_ROOT=$(cd "$(dirname "$0")" && pwd)
source "$QUILLON_ROOT/scripts/common.sh"
ensure_packages

# No test may touch the real user's files.
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
export XDG_DATA_HOME=$scratch/data XDG_CONFIG_HOME=$scratch/config XDG_RUNTIME_DIR=$scratch/run
mkdir -p "$XDG_DATA_HOME" "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"

# The core stays free of Qt, and the data model does not reach into the service client.
"$QUILLON_ROOT/scripts/check_includes.sh" "$QUILLON_ROOT" || die "the core's include rules are broken"

# The tree is formatted with the root's .clang-format.
check_format

failed=0
run_ctest() {
    local dir=$1
    shift
    echo "== ctest $dir $*"
    ctest --test-dir "$dir" --output-on-failure "$@" || failed=1
}

echo "== main build"
configure_and_build "$QUILLON_ROOT/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLON_WERROR=ON
run_ctest "$QUILLON_ROOT/build"

echo "== sanitizer build (address, undefined)"
configure_and_build "$QUILLON_ROOT/build-asan" -DCMAKE_BUILD_TYPE=Debug -DQUILLON_WERROR=ON \
    -DQUILLON_BUILD_BENCH=OFF -DQUILLON_BUILD_TOOLS=OFF \
    "-DCMAKE_CXX_FLAGS=-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
run_ctest "$QUILLON_ROOT/build-asan" -L "unit|gui"

echo "== thread sanitizer build (concurrency tests)"
# Only the executables of the tests labelled concurrency are built (each test is named after
# its executable).
tsan=$QUILLON_ROOT/build-tsan
cmake -S "$QUILLON_ROOT" -B "$tsan" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUILLON_WERROR=ON \
    -DQUILLON_BUILD_BENCH=OFF -DQUILLON_BUILD_TOOLS=OFF -DQUILLON_BUILD_GUI=OFF \
    "-DCMAKE_CXX_FLAGS=-fsanitize=thread" \
    >/dev/null || die "cmake configure failed ($tsan)"
mapfile -t tsan_targets < <(ctest --test-dir "$tsan" -L concurrency -N | sed -n 's/^ *Test *#[0-9]*: //p')
[ ${#tsan_targets[@]} -gt 0 ] || die "no concurrency tests found"
cmake --build "$tsan" -j "$(nproc)" --target "${tsan_targets[@]}" || die "build failed ($tsan)"
run_ctest "$tsan" -L concurrency

echo "== fuzz build (clang, libFuzzer)"
configure_and_build "$QUILLON_ROOT/build-fuzz" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DQUILLON_FUZZ=ON \
    -DQUILLON_BUILD_TESTS=OFF -DQUILLON_BUILD_BENCH=OFF -DQUILLON_BUILD_TOOLS=OFF \
    -DQUILLON_BUILD_GUI=OFF \
    "-DCMAKE_CXX_FLAGS=-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined"
fuzz_runs=${QUILLON_FUZZ_RUNS:-20000}
for target in "$QUILLON_ROOT"/build-fuzz/fuzz/fuzz_*; do
    [ -x "$target" ] || continue
    name=$(basename "$target")
    corpus=$scratch/corpus-$name
    mkdir -p "$corpus"
    seeds=()
    [ -d "$QUILLON_ROOT/fuzz/corpus/${name#fuzz_}" ] && seeds=("$QUILLON_ROOT/fuzz/corpus/${name#fuzz_}")
    echo "== fuzz $name ($fuzz_runs runs)"
    # A fixed seed keeps CI repeatable; a crashing input is kept in build-fuzz/ for a look.
    if ! "$target" -runs="$fuzz_runs" -seed=1 -max_len=65536 \
        -artifact_prefix="$QUILLON_ROOT/build-fuzz/$name-" "$corpus" "${seeds[@]}" \
        >"$scratch/$name.log" 2>&1; then
        tail -40 "$scratch/$name.log"
        echo "fuzz target $name failed"
        failed=1
    fi
done

if [ "$failed" -ne 0 ]; then
    echo "SOME TESTS FAILED"
    exit 1
fi
echo "All test suites passed."
