#!/usr/bin/env bash
# Builds clastor.exe and starts it under Wine; a file named on the command
# line is opened.
#
# Without a display it shows and checks the program's main job instead, as a
# first start under a private X server (scripts/demo.sh).
set -euo pipefail
source "$(dirname "$0")/common.sh"
bash "$here/scripts/setup.sh"
configure_and_build
exe=$build/cross/clastor.exe

# Wine takes Windows paths: a file argument that exists here is translated.
windows_args() {
  local a
  for a in "$@"; do
    if [ -e "$a" ]; then winepath -w "$a" 2>/dev/null || printf '%s\n' "$a"; else printf '%s\n' "$a"; fi
  done
}

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  mapfile -t args < <(windows_args "$@")
  exec wine "$exe" ${args[@]+"${args[@]}"}
fi

exec bash "$here/scripts/demo.sh"
