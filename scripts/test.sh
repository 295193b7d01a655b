#!/usr/bin/env bash
# Builds everything and runs every test program under Wine, with a private Xvfb
# and one persistent wineserver, then the run command's demo without a display.
# Exits non-zero on any failure.
set -euo pipefail
source "$(dirname "$0")/common.sh"
bash "$here/scripts/setup.sh"
configure_and_build
trap stop_session EXIT
start_xvfb
start_printer
start_wine
# A test program that crashes ends at once, with Wine's backtrace in its output,
# instead of waiting behind Wine's crash dialog until ctest's time-out.
wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1 </dev/null || true
cd "$build/cross"
ctest --output-on-failure -j"$(nproc)" --timeout 900 | tee "$build/ctest.log"
summary=$(grep -E '^[0-9]+% tests passed' "$build/ctest.log" | tail -n 1)

# The README's run command without a display: the program's main job, checked
# step by step as a first start (its own X server and Wine prefix).
echo
echo "The run command's demo without a display (scripts/demo.sh):"
stop_session
trap - EXIT
bash "$here/scripts/demo.sh"
echo "$summary"
