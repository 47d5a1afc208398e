#!/usr/bin/env bash
# The main job: builds Quillon and runs the command-line client's self-check of the core
# utilities (code page, folders, cipher and Base64 vectors, compression).
set -euo pipefail
QUILLON_ROOT=$(cd "$(dirname "$0")" && pwd)
source "$QUILLON_ROOT/scripts/common.sh"
ensure_packages
configure_and_build "$QUILLON_ROOT/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
exec "$QUILLON_ROOT/build/tools/cli/quillon-cli" selfcheck
