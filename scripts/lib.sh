# Shared by scripts/test.sh and scripts/run.sh (sourced, not run): installing what is
# missing, building a preset, the Wine prefixes and a virtual X server.
#
# Environment:
#   ZEL_BUILD_ROOT  where the builds go (default: <repo>/build); the native build is
#                   $ZEL_BUILD_ROOT/native, the Linux program $ZEL_BUILD_ROOT/linux, the
#                   Windows builds $ZEL_BUILD_ROOT/windows (32-bit) and windows64
#   ZEL_JOBS        parallel build jobs (default: number of CPUs)
#   ZEL_DISPLAY     X display number to try first for Xvfb (then the first free one from 99 up)
#   ZEL_XVFB_SCREEN Xvfb's screen (default 1024x768x24)
#   ZEL_NO_INSTALL  set to 1 to skip the package check
#   ZEL_RUN_32BIT   0 to treat this machine as one that cannot run 32-bit programs
#                   (default: found out by running one)

ZEL_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export ZEL_BUILD_ROOT=${ZEL_BUILD_ROOT:-$ZEL_ROOT/build}
ZEL_JOBS=${ZEL_JOBS:-$(nproc 2>/dev/null || echo 2)}
# pulseaudio: a sound server of the tests' own gives Wine and the Linux build a playback
# device (pactl, in pulseaudio-utils, looks at it). dpkg-dev, lintian: the Debian package;
# dbus, mpv, mpv-mpris, VLC, vorbis-tools, python3: the players' tests and the Linux
# end-to-end drive, whose notification server needs python3-dbus and python3-gi; dunst:
# a real notification daemon for the tests. nlohmann-json3-dev: the JSON of mpv's IPC.
# librsvg2-bin: rsvg-convert renders the Linux program's large icons from its SVG.
# wine64 runs the 64-bit Windows build; the 32-bit one needs the i386 packages of
# ZEL_PACKAGES_I386, asked for only where 32-bit programs run.
ZEL_PACKAGES=(cmake ninja-build g++ googletest libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev libfuzzer-14-dev
  g++-mingw-w64-i686 g++-mingw-w64-x86-64 wine wine64 xvfb x11-utils xdotool imagemagick
  pulseaudio qt6-base-dev libpulse-dev pulseaudio-utils openbox trayer desktop-file-utils
  xdg-user-dirs xdg-utils dpkg-dev lintian dbus vorbis-tools python3 mpv mpv-mpris vlc-bin
  vlc-plugin-base nlohmann-json3-dev python3-dbus python3-gi dunst librsvg2-bin
  sway waybar grim wtype qt6-wayland libwayland-dev pkg-config)
# Wine's 32-bit loader, and its sound driver's client library.
ZEL_PACKAGES_I386=(wine32 libpulse0:i386)

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

# Whether this machine runs 32-bit x86 programs: some kernels are built or booted
# without IA-32 emulation, and then every i386 program fails with "Exec format error".
# Found out by running one: a 96-byte i386 ELF that exits with status 42. Prints the
# reason when it cannot.
zel_runs_32bit() {
  case "${ZEL_RUN_32BIT:-}" in
    0) echo "ZEL_RUN_32BIT=0"; return 1 ;;
  esac
  [ "$(uname -m)" = x86_64 ] || [ "$(uname -m)" = i686 ] || {
    echo "not an x86 machine"
    return 1
  }
  local probe rc
  probe=$(mktemp "${TMPDIR:-/tmp}/zel-i386.XXXXXX") || return 1
  # ELF header, one loadable segment, then: mov eax,1; mov ebx,42; int 0x80 (exit(42)).
  local elf='\177ELF\1\1\1\0\0\0\0\0\0\0\0\0\2\0\3\0\1\0\0\0\124\200\4\010\064\0\0\0\0\0\0\0'
  elf+='\0\0\0\0\064\0\040\0\1\0\0\0\0\0\0\0\1\0\0\0\0\0\0\0\0\200\4\010\0\200\4\010'
  elf+='\140\0\0\0\140\0\0\0\5\0\0\0\0\020\0\0\270\1\0\0\0\273\052\0\0\0\315\200'
  printf "$elf" >"$probe"
  chmod +x "$probe"
  "$probe" 2>/dev/null
  rc=$?
  rm -f "$probe"
  [ $rc -eq 42 ] && return 0
  echo "a 32-bit program does not run here (status $rc: no IA-32 emulation)"
  return 1
}

# The packages of LIST (names) that are not installed.
zel_missing() {
  local p
  for p in "$@"; do zel_installed "$p" || echo "$p"; done
}

# zel_apt_install [-t SUITE] PACKAGE...: one apt-get install, no questions asked.
zel_apt_install() {
  zel_as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q \
    -o Dpkg::Options::=--force-confdef -o Dpkg::Options::=--force-confold "$@" </dev/null
}

# Installs the packages of ZEL_PACKAGES that are not installed yet (Debian 12), and
# those of ZEL_PACKAGES_I386 where 32-bit programs run.
zel_install_missing() {
  [ "${ZEL_NO_INSTALL:-0}" = 1 ] && return 0
  command -v dpkg-query >/dev/null 2>&1 || zel_die "not a Debian system; install these by hand: ${ZEL_PACKAGES[*]}"
  local wanted=("${ZEL_PACKAGES[@]}") why
  if why=$(zel_runs_32bit); then
    wanted+=("${ZEL_PACKAGES_I386[@]}")
  else
    zel_say "no i386 packages: $why"
  fi
  local missing
  mapfile -t missing < <(zel_missing "${wanted[@]}")
  if [ ${#missing[@]} -eq 0 ]; then
    zel_say "packages: all installed"
    return 0
  fi
  zel_say "installing: ${missing[*]}"
  if printf '%s\n' "${missing[@]}" | grep -q ':i386$\|^wine32$' &&
    ! dpkg --print-foreign-architectures | grep -qx i386 && [ "$(dpkg --print-architecture)" != i386 ]; then
    zel_as_root dpkg --add-architecture i386
  fi
  # A mirror caught mid-sync fails one index or another, or serves a security suite
  # whose two architectures disagree ("Multi-Arch: same" packages need one version).
  # Then the distribution's own suite, preferred for every package, still installs.
  local updated=1 suite
  zel_as_root env DEBIAN_FRONTEND=noninteractive apt-get update -q </dev/null || updated=0
  if [ $updated = 1 ] && zel_apt_install "${missing[@]}"; then
    return 0
  fi
  suite=$(. /etc/os-release 2>/dev/null && echo "${VERSION_CODENAME:-}")
  [ -n "$suite" ] || zel_die "apt-get install failed, and /etc/os-release names no codename to prefer"
  zel_warn "installing again with the suite $suite preferred (-t $suite)"
  mapfile -t missing < <(zel_missing "${wanted[@]}")
  zel_apt_install -t "$suite" "${missing[@]}" && return 0
  # Without the i386 ones the 64-bit tests still run; the 32-bit ones say why they don't.
  mapfile -t missing < <(zel_missing "${ZEL_PACKAGES[@]}")
  if [ ${#missing[@]} -eq 0 ]; then
    zel_warn "could not install: $(zel_missing "${ZEL_PACKAGES_I386[@]}" | tr '\n' ' ')(the 32-bit Windows tests cannot run)"
    return 0
  fi
  zel_die "apt-get install failed; could not install: ${missing[*]}"
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

# zel_wine_loader ARCH: Wine's loader for win32 or win64 programs. Debian's
# /usr/bin/wine takes the 32-bit loader whenever wine32 is installed, even where it
# cannot run, so each build gets its own loader and server by name.
zel_wine_loader() {
  local f
  case "$1" in
    win64) for f in /usr/lib/wine/wine64 "$(command -v wine64 2>/dev/null)"; do
        [ -n "$f" ] && [ -x "$f" ] && echo "$f" && return 0
      done ;;
    *) [ -x /usr/lib/wine/wine ] && echo /usr/lib/wine/wine && return 0 ;;
  esac
  return 1
}
zel_wine_server() {
  local f=/usr/lib/wine/wineserver64
  [ "$1" = win64 ] || f=/usr/lib/wine/wineserver32
  [ -x "$f" ] && echo "$f" && return 0
  command -v wineserver
}

# zel_wine_env PREFIX [ARCH]: the environment every Wine step of these scripts runs in,
# for win32 (the default) or win64 programs: run them with "$WINELOADER".
zel_wine_env() {
  export WINEPREFIX=$1
  export WINEARCH=${2:-win32}
  export WINEDEBUG=${WINEDEBUG:--all}
  export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-"mscoree,mshtml="}
  WINELOADER=$(zel_wine_loader "$WINEARCH") || WINELOADER=wine
  WINESERVER=$(zel_wine_server "$WINEARCH") || WINESERVER=wineserver
  export WINELOADER WINESERVER
}

# zel_wine_arch_of PROGRAM.exe: win64 for an x86_64 program, win32 otherwise (the
# machine field of its PE header).
zel_wine_arch_of() {
  local pe machine
  pe=$(od -An -tu4 -j60 -N4 "$1" 2>/dev/null | tr -d ' ')
  [ -n "$pe" ] && machine=$(od -An -tx2 -j$((pe + 4)) -N2 "$1" 2>/dev/null | tr -d ' ')
  [ "${machine:-}" = 8664 ] && echo win64 || echo win32
}

# Whether 32-bit Windows programs run here: the machine runs 32-bit programs and
# Wine's 32-bit loader is installed. Prints why not.
zel_wine32_runs() {
  local why
  why=$(zel_runs_32bit) || { echo "$why"; return 1; }
  zel_wine_loader win32 >/dev/null || { echo "Wine's 32-bit loader (wine32) is not installed"; return 1; }
}

# Makes the Wine prefix of $WINEPREFIX once (scripts/wine-prefix has its own time limits).
zel_make_prefix() {
  if [ -f "$WINEPREFIX/system.reg" ]; then
    zel_say "wine prefix: $WINEPREFIX"
    return 0
  fi
  zel_say "making the $WINEARCH wine prefix $WINEPREFIX (once)"
  mkdir -p "$(dirname "$WINEPREFIX")"
  timeout --kill-after=10 600 "$ZEL_ROOT/scripts/wine-prefix" </dev/null
}

# Stops every Wine process of $WINEPREFIX: lets them end for a moment, then kills them.
zel_stop_wine() {
  [ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX" ] || return 0
  [ -n "${WINESERVER:-}" ] || return 0
  timeout 10 "$WINESERVER" -w >/dev/null 2>&1 || timeout 20 "$WINESERVER" -k >/dev/null 2>&1 || true
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
    Xvfb ":$n" -screen 0 "${ZEL_XVFB_SCREEN:-1024x768x24}" -nolisten tcp >"$log" 2>&1 </dev/null &
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
