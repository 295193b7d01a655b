#!/usr/bin/env bash
# The program's main job, shown and checked without a display, as a first start
# in a Wine prefix of its own under a private Xvfb: it answers the first-start
# question about automatic updates (No), opens examples/cliff-and-talus.cla,
# runs Compute (the program's own Ctrl+T), saves the computed document under a
# new name, opens the end-point graph from the Graphs menu, takes a screenshot
# after each step and closes the program. Each step is checked; the first one
# that did not happen is named and the script exits non-zero.
#
# Expects clastor.exe built (scripts/run.sh builds it and then runs this when
# there is no display; scripts/test.sh runs this after the tests).
set -euo pipefail
source "$(dirname "$0")/common.sh"
exe=$build/cross/clastor.exe
[ -f "$exe" ] || { echo "demo.sh: $exe is not built" >&2; exit 1; }
unset DISPLAY

# The demo is a first start: a Wine prefix of its own, which the tests never touch.
export WINEPREFIX=$build/demo-wineprefix
trap stop_session EXIT
start_xvfb
start_wine
shots=${CLASTOR_SCREENSHOT_DIR:-$build}
mkdir -p "$shots"
computed=$shots/clastor-computed.png
graph=$shots/clastor-graph.png
saved=$shots/clastor-computed.cla
failed=$shots/clastor-failed.png
rm -f "$computed" "$graph" "$saved" "$failed"

# Stops the demo: names the step that did not happen, with a screenshot of the screen.
fail() {
  import -window root "$failed" 2>/dev/null || true
  echo "demo: $1" >&2
  echo "demo: the screen at that moment: $failed" >&2
  exit 1
}

# The first visible window whose title matches; empty when there is none.
find_window() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1 || true; }
# Waits up to $2 seconds (default 60) for a visible window whose title matches.
wait_window() {
  local w="" i
  for ((i = 0; i < ${2:-60} * 4; i++)); do
    w=$(find_window "$1")
    [ -n "$w" ] && { echo "$w"; return 0; }
    sleep 0.25
  done
  return 1
}
# Waits up to $2 seconds (default 60) until no visible window has a matching title.
wait_gone() {
  local i
  for ((i = 0; i < ${2:-60} * 4; i++)); do
    [ -z "$(find_window "$1")" ] && return 0
    sleep 0.25
  done
  return 1
}
title() { xdotool getwindowname "$window" 2>/dev/null || true; }
# Keys go to the window that has the focus (there is no window manager here).
keys_to() {
  local target=$1; shift
  xdotool windowfocus --sync "$target" >/dev/null 2>&1 || true
  xdotool key --delay 150 "$@"
}

example=$(winepath -w "$here/examples/cliff-and-talus.cla" 2>/dev/null)
wine "$exe" "$example" >/dev/null 2>&1 &
app=$!

window=$(wait_window '^Clastor - ' 120) || fail "the Clastor main window did not appear"
case "$(title)" in
  *cliff-and-talus.cla*) ;;
  *) fail "the main window does not show examples/cliff-and-talus.cla (its title: $(title))" ;;
esac

# A first start asks once whether to check for updates automatically (a message
# box titled "Clastor"): No, since this demo has no network to check.
if question=$(wait_window '^Clastor$' 20); then
  keys_to "$question" n
  wait_gone '^Clastor$' 20 || fail "the question about automatic updates did not go away after No"
fi
# The splash screen hides itself after two and a half seconds; a key pressed
# before that would only hide it.
sleep 3

# Compute: the rocks of the example are thrown, the view shows their paths.
keys_to "$window" ctrl+t
wait_window '^Calculating paths' 10 >/dev/null || true
wait_gone '^Calculating paths' 300 || fail "Compute did not finish within five minutes"
sleep 1
import -window root "$computed"

# File > Save As: the computed document, under a new name, proves the rocks were thrown.
keys_to "$window" alt+f a
dialog=$(wait_window '^Save As$' 20) || fail "File > Save As did not open its dialog"
xdotool windowfocus --sync "$dialog" >/dev/null 2>&1 || true
xdotool type --delay 20 "$(winepath -w "$saved")"
xdotool key Return
wait_gone '^Save As$' 20 || fail "the Save As dialog did not close"
for _ in $(seq 80); do [ -s "$saved" ] && break; sleep 0.25; done
[ -s "$saved" ] || fail "Save As wrote no file at $saved"
rocks=$(awk '/^\* Number of Rock Paths/ { getline; print $1 + 0; exit }' "$saved" | tr -d '\r')
[ "${rocks:-0}" -gt 0 ] || fail "the document saved after Compute holds no rock paths"

# Graphs > Endpoints: a graph window of where the rocks stopped. Its window is
# maximized in the frame, so the frame's title names it instead of the slope.
keys_to "$window" alt+r e
for _ in $(seq 40); do
  case "$(title)" in *"clastor-computed.cla:"*) case "$(title)" in *"Slope Profile"*) ;; *) break ;; esac ;; esac
  sleep 0.25
done
case "$(title)" in
  *"Slope Profile"*|"") fail "Graphs > Endpoints opened no graph window (the frame's title: $(title))" ;;
esac
sleep 2
import -window root "$graph"

# Close the program: the document was saved, so nothing is asked.
keys_to "$window" alt+F4
if prompt=$(wait_window '^Clastor$' 3); then keys_to "$prompt" n; fi
for _ in $(seq 80); do
  kill -0 "$app" 2>/dev/null || break
  sleep 0.25
done
if kill -0 "$app" 2>/dev/null; then
  wineserver -k >/dev/null 2>&1 || true
  wait "$app" 2>/dev/null || true
  fail "the program did not close after Alt+F4"
fi
wait "$app" 2>/dev/null || true

echo "No display was set, so Clastor ran under a private X server, as a first start:"
echo "it opened examples/cliff-and-talus.cla, computed $rocks rock paths, saved them and"
echo "showed the end-point graph, then closed."
echo "  after Compute:         $computed"
echo "  the computed document: $saved"
echo "  the end-point graph:   $graph"
