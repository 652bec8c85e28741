#!/usr/bin/env bash
# The Linux program on a desktop of its own (scripts/x-session: Xvfb, openbox, trayer,
# a PulseAudio null sink), measured, not tested: it prints
#   - the start-up time to a docked tray icon: from the start of the process until
#     trayer holds one more window, the median of N runs, and where it went: the median
#     time of each start-up stage the program marks (ZEL_STARTUP_TRACE);
#   - the idle wakeups per second after start: the context switches of all the
#     program's threads (/proc/<pid>/task/*/status) over a while, each thread named.
# The target is one wakeup a second, the floating window's volume poll.
#
#   bench/linux_desktop.sh [PROGRAM]   (default: <build root>/linux-release/src/zelvora,
#                                       the Release build: cmake --preset linux-release)
#
# Environment: ZEL_BENCH_RUNS (default 9), ZEL_BENCH_IDLE seconds (default 10).
set -uo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
. "$here/../scripts/lib.sh"

program=${1:-$ZEL_BUILD_ROOT/linux-release/src/zelvora}
[ -x "$program" ] || zel_die "no program at $program (build the linux-release preset first)"
if [ -z "${ZEL_BENCH_INSIDE:-}" ]; then
  ZEL_BENCH_INSIDE=1 exec "$here/../scripts/x-session" "$0" "$program"
fi

runs=${ZEL_BENCH_RUNS:-9}
idle=${ZEL_BENCH_IDLE:-10}
home=$(mktemp -d /tmp/zel-bench.XXXXXX)
pid=
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
  rm -rf "$home"
}
trap cleanup EXIT
export HOME=$home/home XDG_CONFIG_HOME=$home/home/.config XDG_DATA_HOME=$home/home/.local/share
mkdir -p "$XDG_CONFIG_HOME/zelvora" "$XDG_DATA_HOME/zelvora"
# No floating window and no about box at start: the program as it starts with the session.
printf '[MainForm]\r\nShowWinAtStartCB=0\r\n' >"$XDG_CONFIG_HOME/zelvora/zelvora.ini"

panel=$(xwininfo -root -tree 2>/dev/null | awk '/"panel"/ { print $1; exit }')
[ -n "$panel" ] || zel_die "trayer is not there"
docked() { xwininfo -tree -id "$panel" 2>/dev/null | grep -c '^ *0x'; }
empty=$(docked)

now_ms() { echo $(($(date +%s%N) / 1000000)); }
stop_program() {
  kill "$pid" 2>/dev/null
  wait "$pid" 2>/dev/null
  pid=
  for _ in $(seq 1 100); do
    [ "$(docked)" -le "$empty" ] && return
    sleep 0.02
  done
}

# Each run's stages as "<ms> <stage>" lines, the program's own marks (counted from the
# same start) and the docking seen here.
stages=$home/stages
times=()
for run in $(seq 1 "$runs"); do
  start_ns=$(date +%s%N)
  start=$((start_ns / 1000000))
  ZEL_STARTUP_TRACE=$start_ns "$program" >/dev/null 2>"$home/trace-$run" </dev/null &
  pid=$!
  until [ "$(docked)" -gt "$empty" ]; do
    kill -0 "$pid" 2>/dev/null || zel_die "the program ended before its icon docked"
    [ $(($(now_ms) - start)) -gt 10000 ] && zel_die "no icon docked within 10 s"
    sleep 0.005
  done
  times+=($(($(now_ms) - start)))
  stop_program
  awk '$1 == "zelvora-startup" { $1 = ""; print substr($0, 2) }' "$home/trace-$run" >>"$stages"
  echo "${times[-1]} icon docked (seen by the bench)" >>"$stages"
done
sorted=$(printf '%s\n' "${times[@]}" | sort -n | tr '\n' ' ')
median=$(printf '%s\n' "${times[@]}" | sort -n | sed -n "$(((runs + 1) / 2))p")
echo "start-up to a docked tray icon: median ${median} ms of $runs runs (${sorted% })"
# The median of each stage, in the order of the stages' medians.
awk '{ t = $1; $1 = ""; s = substr($0, 2); n[s]++; v[s, n[s]] = t }
     END {
       for (s in n) {
         m = n[s]
         for (i = 1; i <= m; i++) a[i] = v[s, i]
         for (i = 2; i <= m; i++) for (j = i; j > 1 && a[j - 1] > a[j]; j--) {
           x = a[j]; a[j] = a[j - 1]; a[j - 1] = x
         }
         printf "%10.1f ms  %s\n", a[int((m + 1) / 2)], s
       }
     }' "$stages" | sort -n | sed 's/^/  stage median /'

# Idle: the program started, docked and settled, then left alone.
"$program" >/dev/null 2>&1 </dev/null &
pid=$!
until [ "$(docked)" -gt "$empty" ]; do sleep 0.05; done
sleep 3
switches() {  # "<tid> <name> <switches>" for every thread
  local t
  for t in /proc/"$pid"/task/*; do
    printf '%s %s %s\n' "${t##*/}" "$(tr ' ' _ <"$t/comm")" \
      "$(awk '/ctxt_switches/ { n += $2 } END { print n }' "$t/status")"
  done
}
before=$(switches)
sleep "$idle"
after=$(switches)
total=0
while read -r tid name n; do
  was=$(awk -v t="$tid" '$1 == t { print $3 }' <<<"$before")
  d=$((n - ${was:-0}))
  total=$((total + d))
  printf '  thread %-8s %-18s %s wakeups\n' "$tid" "$name" "$d"
done <<<"$after"
awk -v n="$total" -v s="$idle" \
  'BEGIN { printf "idle wakeups: %.1f per second (%d in %d s, all threads)\n", n / s, n, s }'
