#!/usr/bin/env bash
# Renders every window and dialog of the project to PNG, one file per window and state, into
# build/screenshots/, and again with the English language library into build/screenshots/en/, so
# anyone can look at them. Runs the gallery program (quillon-gallery) on
# a virtual X display (Xvfb, installed when missing) in a throw-away profile folder, with the
# Slovak user's code page.
set -euo pipefail
QUILLON_ROOT=$(cd "$(dirname "$0")/.." && pwd)
source "$QUILLON_ROOT/scripts/common.sh"
QUILLON_PACKAGES+=(xvfb xauth)
ensure_packages

build=$QUILLON_ROOT/build
out=$build/screenshots
cmake -S "$QUILLON_ROOT" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null ||
    die "cmake configure failed"
cmake --build "$build" -j "$(nproc)" --target quillon-gallery quillon-english || die "build failed"

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
export XDG_DATA_HOME=$scratch/data XDG_CONFIG_HOME=$scratch/config XDG_RUNTIME_DIR=$scratch/run
mkdir -p "$XDG_DATA_HOME" "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
export QUILLON_ANSI_CODEPAGE=1250 TZ=Europe/Bratislava QT_QPA_PLATFORM=xcb

rm -rf "$out"
xvfb-run -a -s "-screen 0 1280x1024x24 -dpi 96" \
    "$build/tools/gallery/quillon-gallery" --screenshots "$out" || die "the gallery failed"
xvfb-run -a -s "-screen 0 1280x1024x24 -dpi 96" \
    "$build/tools/gallery/quillon-gallery" --language English --screenshots "$out/en" ||
    die "the gallery failed in English"
echo "Screenshots in $out (English in $out/en):"
ls -1 "$out" "$out/en"
