#!/usr/bin/env bash
# The end-to-end drive: unpacks the release package into a fresh program folder inside
# a fresh Wine prefix (32-bit for the 32-bit build, 64-bit for the 64-bit one), starts a virtual X server, and runs the driver (tests/e2e),
# which goes through a person's day with the real program. Prints the driver's PASS/FAIL
# line per step and ends with
#   e2e: N passed, N failed
# The counts also go to <output>/result, the screenshots (PNG) and the log to <output>.
#
# Usage: scripts/e2e.sh [BUILD_DIR]   (default: $ZEL_BUILD_ROOT/windows, already built;
#                                      $ZEL_BUILD_ROOT/windows64 for the 64-bit build)
# Environment (besides those of scripts/lib.sh):
#   ZEL_E2E_TIMEOUT   seconds the whole drive may take (default 600)
#   ZEL_E2E_PLAYER    the test player program (default: found in the build)
set -uo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

dir=$(cd "${1:-$ZEL_BUILD_ROOT/windows}" 2>/dev/null && pwd) || zel_die "no build folder ${1:-$ZEL_BUILD_ROOT/windows}"
out=$dir/test-output/e2e
work=$dir/e2e

directory_pid=
finish() {
  zel_stop_wine_now
  zel_stop_xvfb
  [ -n "$directory_pid" ] && kill "$directory_pid" 2>/dev/null
}
# Ends every Wine process of the drive's own prefix (only ours live there).
zel_stop_wine_now() {
  [ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX" ] || return 0
  timeout 20 "$WINESERVER" -k >/dev/null 2>&1 || true
}
trap finish EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

rm -rf "$out"
mkdir -p "$out"
# fail REASON: the drive could not run at all; counted as one failed test.
fail() {
  echo "FAIL e2e: $*" | tee "$out/e2e.log"
  echo "e2e: 0 passed, 1 failed"
  echo "0 1" >"$out/result"
  exit 1
}

# built_file NAME: where the build put a program (not a copy of it elsewhere in the
# build folder: run.sh's program folder, the package, an earlier drive).
built_file() {
  find "$dir" \( -path "$work" -o -path "$dir/app" -o -path "$dir/package" \) -prune -o \
    -iname "$1" -type f -print -quit
}
exe=$(built_file zelvora.exe)
driver=$(built_file zel_e2e.exe)
player=${ZEL_E2E_PLAYER:-$(built_file zel_test_player.exe)}
[ -n "$exe" ] || fail "zelvora.exe is not built in $dir"
[ -n "$driver" ] || fail "the driver zel_e2e.exe is not built in $dir"
[ -n "$player" ] && [ -f "$player" ] || fail "the test player is not built in $dir"
# The release package as a person downloads it, brought up to date with the program.
cmake --build "$dir" --target zelvora-zip >"$out/package.log" 2>&1 ||
  fail "could not make the release package (see $out/package.log)"
zip=$(ls -t "$dir"/zelvora-*.zip 2>/dev/null | head -n 1)
[ -n "$zip" ] || fail "no release package zelvora-*.zip in $dir"

# A fresh prefix each time: a first start must find nothing on disk.
rm -rf "$work"
mkdir -p "$work"
zel_wine_env "$work/wine" "$(zel_wine_arch_of "$exe")"
# A program that crashes ends at once instead of waiting in Wine's debugger, which
# would hold the drive (and what it asks of the desktop) until the time limit.
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winedbg.exe=d"
zel_say "making a fresh $WINEARCH wine prefix $WINEPREFIX"
timeout --kill-after=10 600 "$ZEL_ROOT/scripts/wine-prefix" </dev/null >"$out/wine-prefix.log" 2>&1 ||
  fail "could not make the wine prefix"

zel_start_xvfb || fail "could not start Xvfb"

# The program in a folder of its own, unpacked from the release package as a person
# does it (C:\Zelvora), and the package once more in C:\release for the drive to
# unpack over the first as a newer release would be; the players where the person is
# asked to point at them.
c=$WINEPREFIX/drive_c
mkdir -p "$c/players" "$c/release"
(cd "$c" && cmake -E tar xf "$zip") && (cd "$c/release" && cmake -E tar xf "$zip") ||
  fail "could not unpack $zip"
[ -f "$c/Zelvora/zelvora.exe" ] || fail "the release package holds no Zelvora/zelvora.exe"
cp "$player" "$c/players/rap.exe"
# The same stand-in, under the file name of each of today's players it stands for.
for p in mpc-hc vlc mpv; do
  mkdir -p "$c/players/$p"
  cp "$player" "$c/players/$p/$p.exe"
done
# Wine draws every window's caption and frame itself: there is no window manager on
# the virtual display, and the screenshots should show the windows as a person knows them.
timeout 60 "$WINELOADER" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 ||
  fail "could not set up the prefix's window frames"

# The tests' own station directory, named to the program by the variable for tests.
python3 "$ZEL_ROOT/tests/directory/server.py" --port-file "$out/directory.port" \
  --log "$out/directory.log" --tone http://127.0.0.1:9 --max-seconds 900 \
  </dev/null >/dev/null 2>"$out/directory.err" &
directory_pid=$!
for _ in $(seq 50); do [ -s "$out/directory.port" ] && break; sleep 0.1; done
[ -s "$out/directory.port" ] || fail "the tests' station directory did not start"
export ZELVORA_DIRECTORY=http://127.0.0.1:$(cat "$out/directory.port")

zel_say "driving zelvora.exe (screenshots in $out)"
# The test player writes each command line it is started with to this file, the
# stand-ins what happens to each of them to the other.
export ZEL_PLAYER_LOG='C:\players\rap.log'
export ZEL_STUB_LOG='C:\players\stubs.log'
# Into a file, not a pipe: Wine's own processes inherit the output and outlive the driver.
timeout --kill-after=10 "${ZEL_E2E_TIMEOUT:-600}" "$WINELOADER" "$driver" \
  --exe 'C:\Zelvora\zelvora.exe' --player 'C:\players\rap.exe' \
  --record "$ZEL_PLAYER_LOG" --out "Z:${out//\//\\}" --package 'C:\release\Zelvora' \
  --stubs 'C:\players' --stub-log "$ZEL_STUB_LOG" --directory-log "Z:${out//\//\\}\\directory.log" \
  </dev/null >"$out/e2e.log" 2>"$out/wine.log"
rc=$?
zel_stop_wine_now
cat "$out/e2e.log"

for bmp in "$out"/*.bmp; do
  [ -f "$bmp" ] || continue
  convert "$bmp" "${bmp%.bmp}.png" 2>/dev/null && rm -f "$bmp"
done

passed=$(grep -c '^PASS ' "$out/e2e.log")
failed=$(grep -c '^FAIL ' "$out/e2e.log")
if [ "$rc" -ne 0 ] && [ "$failed" -eq 0 ]; then
  echo "FAIL e2e: the driver ended with status $rc" | tee -a "$out/e2e.log"
  failed=1
fi
[ $((passed + failed)) -eq 0 ] && failed=1
echo "$passed $failed" >"$out/result"
[ "$rc" -eq 0 ] || tail -n 20 "$out/wine.log" >&2
exit $((failed > 0))
