# Shared by run.sh and test.sh: paths, the cross build, and a private Wine session.
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${CLASTOR_BUILD:-$here/build}
export WINEPREFIX=$build/wineprefix
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64

configure_and_build() {
  cmake -S "$here" -B "$build/cross" -DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw-w64.cmake" \
        -DCLASTOR_THIRD_PARTY="${CLASTOR_THIRD_PARTY_DIR:-$build/third_party}/install" >"$build/configure.log" 2>&1 \
    || { cat "$build/configure.log"; return 1; }
  local rc=0
  cmake --build "$build/cross" -j"$(nproc)" >"$build/build.log" 2>&1 || rc=$?
  grep -vE '^\[ *[0-9]+%\] |^-- |^gmake' "$build/build.log" || true
  [ "$rc" -eq 0 ] || { echo "The build failed (log: $build/build.log)."; return 1; }
}

# A private X server for machines without a display (tests and CI always use one).
# Xvfb picks a free display number itself and writes it to fd 3 once it accepts
# connections, so builds side by side never share a display.
start_xvfb() {
  local numfile; numfile=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$numfile" >/dev/null 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 100); do
    if [ -s "$numfile" ]; then
      export DISPLAY=:$(tr -d '[:space:]' <"$numfile")
      rm -f "$numfile"
      return 0
    fi
    kill -0 "$xvfb_pid" 2>/dev/null || break
    sleep 0.1
  done
  rm -f "$numfile"
  echo "could not start Xvfb" >&2; return 1
}

# One wineserver for the whole session, so each test program starts quickly.
start_wine() {
  [ -f "$WINEPREFIX/system.reg" ] || echo "Preparing the Wine prefix in $WINEPREFIX (first run only)..."
  wineserver -p >/dev/null 2>&1 </dev/null &
  wineserver_started=1
  # Start Wine's own services here, with their output away from ours: a service
  # started by the first test would inherit ctest's pipe and keep it open.
  wineboot -i >/dev/null 2>&1 </dev/null || true
  # A private X server has no window manager: let Wine draw captions and borders,
  # so that screenshots show windows as a user sees them.
  if [ ! -f "$WINEPREFIX/.clastor-prepared" ]; then
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1 </dev/null || true
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 </dev/null || true
    # Wine here does not find its own TrueType fonts (Marlett draws the caption
    # buttons and check marks): give the prefix a copy.
    cp -n /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
    touch "$WINEPREFIX/.clastor-prepared"
  fi
}

# A PDF printer for the printing tests: CUPS with a cups-pdf queue of this
# build tree's own (CLASTOR_PRINTER), writing into $build/printed
# (CLASTOR_PRINT_DIR). Wine takes its printers from CUPS; the tests make the
# queue their default printer. CUPS is a system service: started here when it
# is not running, and left running, since other sessions may print through it.
# Without CUPS the printing tests skip themselves.
start_printer() {
  command -v cupsd >/dev/null 2>&1 && command -v lpadmin >/dev/null 2>&1 || return 0
  [ -f /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd ] || return 0
  local queue
  queue="ClastorPDF_$(printf %s "$build" | md5sum | cut -c1-8)"
  # lpstat -r exits 0 either way: read what it says.
  if ! lpstat -r 2>/dev/null | grep -q "is running"; then
    cupsd >/dev/null 2>&1 </dev/null || return 0
    for _ in $(seq 100); do lpstat -r 2>/dev/null | grep -q "is running" && break; sleep 0.1; done
  fi
  mkdir -p "$build/printed"
  # The queue's device names its own cups-pdf configuration (the output folder).
  printf 'Out %s\nLabel 0\n' "$build/printed" > "/etc/cups/cups-pdf-$queue.conf" 2>/dev/null || return 0
  lpadmin -p "$queue" -v "cups-pdf:/$queue" -P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd -E >/dev/null 2>&1 || return 0
  export CLASTOR_PRINTER=$queue CLASTOR_PRINT_DIR=$build/printed
}

stop_session() {
  [ -n "${wineserver_started:-}" ] && { wineserver -k >/dev/null 2>&1 || true; wineserver -w >/dev/null 2>&1 || true; }
  [ -n "${xvfb_pid:-}" ] && { kill "$xvfb_pid" 2>/dev/null || true; wait "$xvfb_pid" 2>/dev/null || true; }
  return 0
}
