# Shared by scripts/test.sh and scripts/run.sh (sourced, not run): installing what is
# missing, building a preset, the Wine prefix and a virtual X server.
#
# Environment:
#   ZEL_BUILD_ROOT  where the builds go (default: <repo>/build); the native build is
#                   $ZEL_BUILD_ROOT/native, the Linux program $ZEL_BUILD_ROOT/linux, the
#                   Windows build $ZEL_BUILD_ROOT/windows
#   ZEL_JOBS        parallel build jobs (default: number of CPUs)
#   ZEL_DISPLAY     X display number to try first for Xvfb (then the first free one from 99 up)
#   ZEL_NO_INSTALL  set to 1 to skip the package check

ZEL_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
ZEL_BUILD_ROOT=${ZEL_BUILD_ROOT:-$ZEL_ROOT/build}
ZEL_JOBS=${ZEL_JOBS:-$(nproc 2>/dev/null || echo 2)}
# pulseaudio: a sound server of the tests' own gives Wine and the Linux build a playback
# device (pactl, in pulseaudio-utils, looks at it); Wine's 32-bit sound driver needs the
# i386 client library. dpkg-dev, lintian: the Debian package; dbus, mpv, mpv-mpris, VLC,
# vorbis-tools, python3: the players' tests and the Linux end-to-end drive.
ZEL_PACKAGES=(cmake ninja-build g++ googletest libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev libfuzzer-14-dev
  g++-mingw-w64-i686 wine wine32 xvfb x11-utils xdotool imagemagick pulseaudio libpulse0:i386
  qt6-base-dev libpulse-dev pulseaudio-utils openbox trayer desktop-file-utils xdg-user-dirs
  xdg-utils dpkg-dev lintian dbus vorbis-tools python3 mpv mpv-mpris vlc-bin vlc-plugin-base)

zel_say() { printf '==> %s\n' "$*"; }
zel_warn() { printf '%s: %s\n' "${0##*/}" "$*" >&2; }
zel_die() {
  zel_warn "$*"
  exit 1
}

# Runs a command as root: directly when we are root, otherwise through sudo.
zel_as_root() {
  if [ "$(id -u)" -eq 0 ]; then
    "$@"
  elif command -v sudo >/dev/null 2>&1; then
    sudo "$@"
  else
    zel_die "need root (or sudo) to run: $*"
  fi
}

zel_installed() {
  [ "$(dpkg-query -W -f='${db:Status-Status}' "$1" 2>/dev/null)" = installed ]
}

# Installs the packages of ZEL_PACKAGES that are not installed yet (Debian 12).
zel_install_missing() {
  [ "${ZEL_NO_INSTALL:-0}" = 1 ] && return 0
  command -v dpkg-query >/dev/null 2>&1 || zel_die "not a Debian system; install these by hand: ${ZEL_PACKAGES[*]}"
  local missing=() p
  for p in "${ZEL_PACKAGES[@]}"; do
    zel_installed "$p" || missing+=("$p")
  done
  if [ ${#missing[@]} -eq 0 ]; then
    zel_say "packages: all installed"
    return 0
  fi
  zel_say "installing: ${missing[*]}"
  # wine32 is an i386 package.
  if ! dpkg --print-foreign-architectures | grep -qx i386 && [ "$(dpkg --print-architecture)" != i386 ]; then
    zel_as_root dpkg --add-architecture i386
  fi
  # A mirror caught mid-sync fails one index or another; what the other indexes and
  # the old lists offer is often enough, and apt-get install says so when it is not.
  zel_as_root env DEBIAN_FRONTEND=noninteractive apt-get update -q </dev/null ||
    zel_warn "apt-get update failed; installing from the package lists there are"
  zel_as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q \
    -o Dpkg::Options::=--force-confdef -o Dpkg::Options::=--force-confold \
    "${missing[@]}" </dev/null || zel_die "apt-get install failed"
}

# zel_configure_build PRESET [TARGET...]: configures the preset into $ZEL_BUILD_ROOT/PRESET
# and builds the given targets (all when none).
zel_configure_build() {
  local preset=$1 dir=$ZEL_BUILD_ROOT/$1
  shift
  local targets=()
  [ $# -gt 0 ] && targets=(--target "$@")
  zel_say "building $preset in $dir"
  cmake --preset "$preset" -S "$ZEL_ROOT" -B "$dir" || return 1
  cmake --build "$dir" --parallel "$ZEL_JOBS" "${targets[@]}"
}

# zel_wine_env PREFIX: the environment every Wine step of these scripts runs in.
zel_wine_env() {
  export WINEPREFIX=$1
  export WINEARCH=win32
  export WINEDEBUG=${WINEDEBUG:--all}
  export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-"mscoree,mshtml="}
}

# Makes the Wine prefix of $WINEPREFIX once (scripts/wine-prefix has its own time limits).
zel_make_prefix() {
  if [ -f "$WINEPREFIX/system.reg" ]; then
    zel_say "wine prefix: $WINEPREFIX"
    return 0
  fi
  zel_say "making the wine prefix $WINEPREFIX (once)"
  mkdir -p "$(dirname "$WINEPREFIX")"
  timeout --kill-after=10 600 "$ZEL_ROOT/scripts/wine-prefix" </dev/null
}

# Stops every Wine process of $WINEPREFIX: lets them end for a moment, then kills them.
zel_stop_wine() {
  [ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX" ] || return 0
  command -v wineserver >/dev/null 2>&1 || return 0
  timeout 10 wineserver -w >/dev/null 2>&1 || timeout 20 wineserver -k >/dev/null 2>&1 || true
}

ZEL_XVFB_PID=
# Starts Xvfb on a free display, waits until it answers and exports DISPLAY.
zel_start_xvfb() {
  local candidates n i log
  # The display asked for first; when it is taken (a second Xvfb of the same run,
  # such as the end-to-end drive's), the first free one from 99 up.
  local wanted=${ZEL_DISPLAY:-}
  candidates="${wanted#:} $(seq 99 160)"
  for n in $candidates; do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    log=$ZEL_BUILD_ROOT/xvfb-$n.log
    mkdir -p "$ZEL_BUILD_ROOT"
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >"$log" 2>&1 </dev/null &
    ZEL_XVFB_PID=$!
    for i in $(seq 1 100); do
      if xdpyinfo -display ":$n" >/dev/null 2>&1; then
        sleep 1 # let it settle before the first client
        # Two sessions that start at once may both pick this display: the server that
        # answered is ours only when ours still runs and holds the display's lock.
        if ! kill -0 "$ZEL_XVFB_PID" 2>/dev/null ||
          [ "$(tr -dc 0-9 <"/tmp/.X$n-lock" 2>/dev/null)" != "$ZEL_XVFB_PID" ]; then
          break
        fi
        export DISPLAY=:$n
        zel_say "Xvfb on display :$n (pid $ZEL_XVFB_PID)"
        return 0
      fi
      kill -0 "$ZEL_XVFB_PID" 2>/dev/null || break
      sleep 0.1
    done
    zel_stop_xvfb
    zel_warn "Xvfb did not start on :$n (see $log); trying the next display"
  done
  return 1
}

# zel_end PID: ends a server this script started, by its pid, and waits for it.
zel_end() {
  [ -n "$1" ] || return 0
  kill "$1" 2>/dev/null
  wait "$1" 2>/dev/null
  return 0
}

zel_stop_xvfb() {
  zel_end "$ZEL_XVFB_PID"
  ZEL_XVFB_PID=
}

ZEL_PULSE_PID=
ZEL_PULSE_DIR=
# Starts a PulseAudio server of this run's own with one null sink, so that programs of
# the run (Wine's sound driver, the Linux build) have a playback device, and points
# them at it (PULSE_SERVER, PULSE_COOKIE; ZEL_AUDIO_DEVICE=1 tells the tests there is
# one). Its runtime folder is below the build folder (NAME, default pulse; runs at the
# same time need names of their own), fresh each time; a server that someone else
# started is never asked or touched.
#   zel_start_pulse [NAME]
zel_start_pulse() {
  command -v pulseaudio >/dev/null 2>&1 || {
    zel_warn "no pulseaudio: no playback device for the tests"
    return 1
  }
  local dir=$ZEL_BUILD_ROOT/${1:-pulse} i
  # A unix socket's path is short (108 bytes): a deep build folder gets a temporary one.
  [ ${#dir} -gt 80 ] && dir=$(mktemp -d /tmp/zel-pulse.XXXXXX)
  rm -rf "$dir"
  mkdir -p "$dir/runtime" "$dir/state" && chmod 700 "$dir" "$dir/runtime" || return 1
  # Without DISPLAY: it would start a D-Bus daemon on the display that nobody ends.
  env -u DISPLAY XDG_RUNTIME_DIR=$dir PULSE_RUNTIME_PATH=$dir/runtime PULSE_STATE_PATH=$dir/state \
    PULSE_COOKIE=$dir/cookie pulseaudio -n --daemonize=no --use-pid-file=no \
    --exit-idle-time=-1 --disallow-exit --disallow-module-loading \
    -L module-native-protocol-unix -L "module-null-sink sink_name=zelvora_test" \
    >"$dir/log" 2>&1 </dev/null &
  ZEL_PULSE_PID=$!
  ZEL_PULSE_DIR=$dir
  for i in $(seq 1 100); do
    if [ -S "$dir/runtime/native" ]; then
      export PULSE_SERVER=unix:$dir/runtime/native PULSE_COOKIE=$dir/cookie ZEL_AUDIO_DEVICE=1
      zel_say "PulseAudio on $PULSE_SERVER (pid $ZEL_PULSE_PID)"
      return 0
    fi
    kill -0 "$ZEL_PULSE_PID" 2>/dev/null || break
    sleep 0.1
  done
  zel_warn "PulseAudio did not start (see $dir/log)"
  zel_stop_pulse
  return 1
}

zel_stop_pulse() {
  zel_end "$ZEL_PULSE_PID"
  ZEL_PULSE_PID=
  unset PULSE_SERVER PULSE_COOKIE ZEL_AUDIO_DEVICE
  case "$ZEL_PULSE_DIR" in /tmp/zel-pulse.*) rm -rf "$ZEL_PULSE_DIR" ;; esac
  ZEL_PULSE_DIR=
  return 0
}
