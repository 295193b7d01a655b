#!/usr/bin/env bash
# Builds clastor.exe and starts it under Wine. Without a display it runs the
# program under a private Xvfb, waits for the main window, saves a screenshot,
# closes the program and says so.
set -euo pipefail
source "$(dirname "$0")/common.sh"
bash "$here/scripts/setup.sh"
configure_and_build
exe=$build/cross/clastor.exe
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  exec wine "$exe" "$@"
fi

trap stop_session EXIT
start_xvfb
start_wine
shot=${CLASTOR_SCREENSHOT:-$build/clastor-screenshot.png}
wine "$exe" "$@" >/dev/null 2>&1 &
app=$!
found=
for _ in $(seq 120); do
  if xdotool search --onlyvisible --name '^Clastor' >/dev/null 2>&1; then found=1; break; fi
  sleep 0.5
done
sleep 2
import -window root "$shot"
wineserver -k >/dev/null 2>&1 || true
wait "$app" 2>/dev/null || true
if [ -z "$found" ]; then
  echo "No display was set, and the Clastor main window did not appear under a private X server."
  echo "Screenshot of the empty screen: $shot"
  exit 1
fi
echo "No display was set, so Clastor ran under a private X server: its main window"
echo "appeared, a screenshot was saved to $shot, and the program was closed."
