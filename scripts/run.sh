#!/usr/bin/env bash
# Installs what is missing, builds Zelvora and starts it: on Linux the native program
# (the linux preset, on Qt 6); with --windows, zelvora.exe under Wine: the 32-bit one
# (the windows preset) where this machine runs 32-bit programs, else the 64-bit one
# (windows64), which --windows64 asks for in any case. It runs on your X display when there is one, otherwise on a virtual one (Xvfb,
# with a window manager and a tray for the native program), of which it writes a
# screenshot. Runs until the program ends or Ctrl+C.
#
#   scripts/run.sh [--windows | --windows64]
#
# Environment (besides those of scripts/lib.sh):
#   ZEL_SHOT_DELAY    seconds to wait before the screenshot (default 5)
#   ZEL_RUN_SECONDS   stop the program after this many seconds (default: run until it ends)
set -uo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

target=linux
case "${1:-}" in
  --windows) target=windows ;;
  --windows64) target=windows64 ;;
  --linux | "") ;;
  *) zel_die "usage: run.sh [--windows | --windows64]" ;;
esac

dir=$ZEL_BUILD_ROOT/$target
program_pid=
wm_pid=
tray_pid=
timer_pid=

cleanup() {
  [ -n "$timer_pid" ] && kill "$timer_pid" 2>/dev/null
  if [ -n "$program_pid" ] && kill -0 "$program_pid" 2>/dev/null; then
    kill "$program_pid" 2>/dev/null
  fi
  # Ends the program and everything else Wine runs in the program's own prefix.
  if [ "$target" != linux ] && [ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX" ]; then
    timeout 20 "$WINESERVER" -k >/dev/null 2>&1 || true
  fi
  [ -n "$tray_pid" ] && kill "$tray_pid" 2>/dev/null
  [ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null
  zel_stop_xvfb
}
trap cleanup EXIT
trap 'echo; exit 130' INT
trap 'exit 143' TERM

zel_install_missing || exit 1
cd "$ZEL_ROOT" || exit 1
if [ "$target" = windows ] && ! why=$(zel_wine32_runs); then
  zel_say "the 64-bit zelvora.exe, not the 32-bit one: $why"
  target=windows64
  dir=$ZEL_BUILD_ROOT/$target
fi

# On your display, or on a virtual one; sets virtual=1 for the latter.
use_display() {
  virtual=0
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    zel_say "starting Zelvora on your display $DISPLAY"
    return 0
  fi
  if [ -n "${DISPLAY:-}" ]; then
    zel_say "cannot open your display $DISPLAY (under sudo, try 'sudo -E' or 'xhost +SI:localuser:root')"
  else
    zel_say "no X display (DISPLAY is not set)"
  fi
  zel_say "starting a virtual X display (Xvfb) for Zelvora instead"
  zel_start_xvfb || zel_die "could not start Xvfb"
  virtual=1
}

# Waits, then photographs the virtual display; ends the script when the program ended.
screenshot_when_virtual() {
  sleep "${ZEL_SHOT_DELAY:-5}"
  if ! kill -0 "$program_pid" 2>/dev/null; then
    wait "$program_pid"
    rc=$?
    program_pid=
    zel_die "Zelvora ended within ${ZEL_SHOT_DELAY:-5} seconds (exit status $rc)"
  fi
  [ "$virtual" = 1 ] || return 0
  local shot=$dir/screenshot.png
  if timeout 30 import -display "$DISPLAY" -window root "$shot" 2>/dev/null ||
    { timeout 30 xwd -root -silent -display "$DISPLAY" | convert xwd:- "$shot"; }; then
    zel_say "screenshot of the virtual display: $shot"
  else
    zel_warn "could not take a screenshot"
  fi
}

# Runs until the program ends, or until ZEL_RUN_SECONDS have passed.
wait_for_program() {
  if [ -n "${ZEL_RUN_SECONDS:-}" ]; then
    zel_say "(stopping it after $ZEL_RUN_SECONDS seconds)"
    stopped=$dir/.zelvora-stopped
    rm -f "$stopped"
    (sleep "$ZEL_RUN_SECONDS" && touch "$stopped" && kill "$program_pid" 2>/dev/null) &
    timer_pid=$!
  fi
  wait "$program_pid"
  rc=$?
  program_pid=
  if [ -n "$timer_pid" ] && [ -f "$stopped" ]; then
    rm -f "$stopped"
    timer_pid=
    zel_say "Zelvora stopped after $ZEL_RUN_SECONDS seconds"
    exit 0
  fi
  zel_say "Zelvora ended (exit status $rc)"
  exit $rc
}

if [ "$target" = linux ]; then
  zel_say "configuring linux in $dir"
  cmake --preset linux -B "$dir" >/dev/null || zel_die "configuring the linux preset failed"
  zel_say "building zelvora"
  cmake --build "$dir" --parallel "$ZEL_JOBS" --target zelvora || zel_die "building zelvora failed"
  exe=$dir/src/zelvora
  [ -x "$exe" ] || zel_die "zelvora not found in $dir"
  use_display
  if [ "$virtual" = 1 ]; then
    # A desktop to go with the virtual display: a window manager and a tray.
    openbox --sm-disable >"$ZEL_BUILD_ROOT/openbox-run.log" 2>&1 </dev/null &
    wm_pid=$!
    trayer --edge top --align right --widthtype pixel --width 160 --height 28 \
      --transparent false --tint 0xdcdad5 --SetDockType true --expand false \
      >"$ZEL_BUILD_ROOT/trayer-run.log" 2>&1 </dev/null &
    tray_pid=$!
    sleep 1
    # The icon goes into that tray, not to a desktop session elsewhere.
    unset DBUS_SESSION_BUS_ADDRESS WAYLAND_DISPLAY
    export QT_QPA_PLATFORM=xcb
  fi
  "$exe" </dev/null &
  program_pid=$!
  zel_say "Zelvora started ($exe, pid $program_pid); its files are in" \
    "${XDG_CONFIG_HOME:-$HOME/.config}/zelvora and ${XDG_DATA_HOME:-$HOME/.local/share}/zelvora"
  screenshot_when_virtual
  zel_say "Zelvora is running. Stop it with Ctrl+C here, or with its Exit command."
  wait_for_program
fi

zel_say "configuring $target in $dir"
cmake --preset $target -B "$dir" >/dev/null || zel_die "configuring the $target preset failed"
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
if [ $target = windows64 ]; then
  zel_wine_env "$ZEL_BUILD_ROOT/wine-app64" win64
  run=("$ZEL_ROOT/scripts/wine-run" --win64)
else
  zel_wine_env "$ZEL_BUILD_ROOT/wine-app"
  run=("$ZEL_ROOT/scripts/wine-run")
fi

use_display

zel_make_prefix || zel_die "could not make the wine prefix $WINEPREFIX"

(cd "$(dirname "$exe")" && ZEL_WINE_TIMEOUT=0 exec "${run[@]}" "$exe" </dev/null) &
program_pid=$!
zel_say "Zelvora started ($exe, pid $program_pid)"
screenshot_when_virtual
zel_say "Zelvora is running. Stop it with Ctrl+C here, or from another shell with:"
zel_say "  WINEPREFIX=$WINEPREFIX $WINESERVER -k"
wait_for_program
