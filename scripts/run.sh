#!/usr/bin/env bash
# Installs what is missing, builds zelvora.exe (the windows preset) and starts it under Wine:
# on your X display when there is one, otherwise on a virtual one (Xvfb), of which it
# writes a screenshot. Runs until the program ends or Ctrl+C.
#
# Environment (besides those of scripts/lib.sh):
#   ZEL_SHOT_DELAY    seconds to wait before the screenshot (default 5)
#   ZEL_RUN_SECONDS   stop the program after this many seconds (default: run until it ends)
set -uo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

dir=$ZEL_BUILD_ROOT/windows
wine_pid=
timer_pid=

cleanup() {
  [ -n "$timer_pid" ] && kill "$timer_pid" 2>/dev/null
  if [ -n "$wine_pid" ] && kill -0 "$wine_pid" 2>/dev/null; then
    kill "$wine_pid" 2>/dev/null
  fi
  # Ends the program and everything else Wine runs in the program's own prefix.
  if [ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX" ]; then
    timeout 20 wineserver -k >/dev/null 2>&1 || true
  fi
  zel_stop_xvfb
}
trap cleanup EXIT
trap 'echo; exit 130' INT
trap 'exit 143' TERM

zel_install_missing || exit 1
cd "$ZEL_ROOT" || exit 1

zel_say "configuring windows in $dir"
cmake --preset windows -B "$dir" >/dev/null || zel_die "configuring the windows preset failed"
if ! ninja -C "$dir" -t targets all 2>/dev/null | grep -q '^zelvora:'; then
  zel_die "the windows build has no target 'zelvora' yet (the program, src/zelvora.cpp); nothing to start"
fi
zel_say "building zelvora"
cmake --build "$dir" --parallel "$ZEL_JOBS" --target zelvora || zel_die "building zelvora failed"
exe=$dir/src/zelvora.exe
[ -f "$exe" ] || exe=$(find "$dir" -name zelvora.exe -type f -print -quit)
[ -n "$exe" ] && [ -f "$exe" ] || zel_die "zelvora.exe not found in $dir"

# The program runs from a folder of its own with its data files beside it, as a person
# has it after unpacking the release package; its station files stay there between runs.
app=$dir/app
mkdir -p "$app"
cp "$exe" "$app/zelvora.exe" || zel_die "could not copy zelvora.exe to $app"
for f in zelvora.html intro.rtf starter-stations.m3u; do
  [ -f "$ZEL_ROOT/res/$f" ] && cp "$ZEL_ROOT/res/$f" "$app/"
done
exe=$app/zelvora.exe

# The program keeps its own prefix: its settings and the tests' do not mix.
zel_wine_env "$ZEL_BUILD_ROOT/wine-app"

virtual=0
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  zel_say "starting Zelvora on your display $DISPLAY"
else
  if [ -n "${DISPLAY:-}" ]; then
    zel_say "cannot open your display $DISPLAY (under sudo, try 'sudo -E' or 'xhost +SI:localuser:root')"
  else
    zel_say "no X display (DISPLAY is not set)"
  fi
  zel_say "starting a virtual X display (Xvfb) for Zelvora instead"
  zel_start_xvfb || zel_die "could not start Xvfb"
  virtual=1
fi

zel_make_prefix || zel_die "could not make the wine prefix $WINEPREFIX"

(cd "$(dirname "$exe")" && ZEL_WINE_TIMEOUT=0 exec "$ZEL_ROOT/scripts/wine-run" "$exe" </dev/null) &
wine_pid=$!
zel_say "Zelvora started ($exe, pid $wine_pid)"

sleep "${ZEL_SHOT_DELAY:-5}"
if ! kill -0 "$wine_pid" 2>/dev/null; then
  wait "$wine_pid"
  rc=$?
  wine_pid=
  zel_die "Zelvora ended within ${ZEL_SHOT_DELAY:-5} seconds (exit status $rc)"
fi

if [ $virtual = 1 ]; then
  shot=$dir/screenshot.png
  if timeout 30 import -display "$DISPLAY" -window root "$shot" 2>/dev/null ||
    { timeout 30 xwd -root -silent -display "$DISPLAY" | convert xwd:- "$shot"; }; then
    zel_say "screenshot of the virtual display: $shot"
  else
    zel_warn "could not take a screenshot"
  fi
fi

zel_say "Zelvora is running. Stop it with Ctrl+C here, or from another shell with:"
zel_say "  WINEPREFIX=$WINEPREFIX wineserver -k"

if [ -n "${ZEL_RUN_SECONDS:-}" ]; then
  zel_say "(stopping it after $ZEL_RUN_SECONDS seconds)"
  stopped=$dir/.zelvora-stopped
  rm -f "$stopped"
  (sleep "$ZEL_RUN_SECONDS" && touch "$stopped" && kill "$wine_pid" 2>/dev/null) &
  timer_pid=$!
fi
wait "$wine_pid"
rc=$?
wine_pid=
if [ -n "$timer_pid" ] && [ -f "$stopped" ]; then
  rm -f "$stopped"
  timer_pid=
  zel_say "Zelvora stopped after $ZEL_RUN_SECONDS seconds"
  exit 0
fi
zel_say "Zelvora ended (exit status $rc)"
exit $rc
