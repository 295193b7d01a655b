#!/usr/bin/env bash
# Builds everything and runs every test program under Wine, with a private Xvfb
# and one persistent wineserver. Exits non-zero on any failure.
set -euo pipefail
source "$(dirname "$0")/common.sh"
bash "$here/scripts/setup.sh"
configure_and_build
trap stop_session EXIT
start_xvfb
start_printer
start_wine
cd "$build/cross"
ctest --output-on-failure -j"$(nproc)" --timeout 900
