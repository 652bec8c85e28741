#!/usr/bin/env bash
# Installs what is missing, builds every preset and runs every test: the native tests
# directly and once more under AddressSanitizer and UndefinedBehaviorSanitizer, the
# fuzz targets (scripts/fuzz.sh), the Linux program's tests on a virtual desktop of
# their own (scripts/x-session), its Release build's Debian package (lintian) and
# end-to-end drive (scripts/e2e-linux.sh), and for each Windows build (64-bit, and
# 32-bit where this machine runs 32-bit programs) its tests under Wine on a virtual X
# server and its end-to-end drive. Both release zips are made either way.
# Ends with one line
#   tests: N passed, N failed
# counted from the GoogleTest XML of every test binary; a binary that crashed or ran
# out of time counts as failed. Exits non-zero when anything failed.
#
# Environment (besides those of scripts/lib.sh):
#   ZEL_WINE_TIMEOUT  seconds one Windows test binary may run (default 480)
set -uo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

started=$SECONDS
passed=0
failed=0
export ZEL_WINE_TIMEOUT=${ZEL_WINE_TIMEOUT:-480}

ctest_pid=
cleanup() {
  [ -n "$ctest_pid" ] && kill "$ctest_pid" 2>/dev/null
  ctest_pid=
  zel_stop_wine
  zel_stop_xvfb
  zel_stop_pulse
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

# count_xml FILE: prints "passed failed" for one GoogleTest XML report.
count_xml() {
  awk '
    function done_case() { if (failed) f++; else if (!skipped) p++; open = 0 }
    /<testcase[ >]/ {
      if (open) done_case()
      open = 1; failed = 0
      skipped = ($0 ~ /status="notrun"/ || $0 ~ /result="(skipped|suppressed)"/)
      if ($0 ~ /\/>[[:space:]]*$/) done_case()
      next
    }
    open && /<failure[ >]/ { failed = 1 }
    open && /<skipped[ >]/ { skipped = 1 }
    open && /<\/testcase>/ { done_case() }
    END { if (open) done_case(); print p + 0, f + 0 }
  ' "$1"
}

# junit_attr FILE NAME: an attribute of the <testsuite> element of ctest's JUnit report.
junit_attr() {
  awk -v name="$2" '
    /<testcase/ { exit }
    { head = head " " $0 }
    END {
      if (match(head, "[[:space:]]" name "=\"[0-9]+\"")) {
        v = substr(head, RSTART, RLENGTH); gsub(/[^0-9]/, "", v); print v
      } else print 0
    }
  ' "$1"
}

# run_tests NAME DIR TIMEOUT: runs the ctest tests of one build and adds to the totals.
run_tests() {
  local name=$1 dir=$2 limit=$3
  local results=$dir/test-results junit=$dir/ctest-results.xml
  rm -rf "$results" "$junit"
  mkdir -p "$results"
  zel_say "running the $name tests"
  # Every GoogleTest binary writes <binary>.xml into the results folder
  # (scripts/wine-run hands the folder to Windows programs as a Windows path).
  GTEST_OUTPUT="xml:$results/" ctest --test-dir "$dir" --output-on-failure --no-tests=error \
    --timeout "$limit" --parallel "$ZEL_JOBS" --output-junit "$junit" </dev/null &
  # In the background, so that a signal to this script is handled at once.
  ctest_pid=$!
  wait "$ctest_pid"
  local rc=$?
  ctest_pid=

  local gp=0 gf=0 files_clean=0 files_failed=0 xml p f
  for xml in "$results"/*.xml; do
    [ -f "$xml" ] || continue
    read -r p f < <(count_xml "$xml")
    gp=$((gp + p))
    gf=$((gf + f))
    if [ "$f" -gt 0 ]; then files_failed=$((files_failed + 1)); else files_clean=$((files_clean + 1)); fi
  done

  local ct=0 cf=0 cs=0
  if [ -f "$junit" ]; then
    ct=$(junit_attr "$junit" tests)
    cf=$(junit_attr "$junit" failures)
    cs=$(($(junit_attr "$junit" disabled) + $(junit_attr "$junit" skipped)))
  fi
  [ "$rc" -ne 0 ] && [ "$cf" -eq 0 ] && cf=1 # ctest itself failed (no tests, bad setup)
  local cp=$((ct - cf - cs))
  # A ctest test that failed without a GoogleTest failure to show for it crashed, ran out
  # of time or is no GoogleTest binary: it counts as one failed test. Likewise a passing
  # test without a report counts as one passed test.
  local extra_failed=$((cf - files_failed)) extra_passed=$((cp - files_clean))
  [ $extra_failed -lt 0 ] && extra_failed=0
  [ $extra_passed -lt 0 ] && extra_passed=0
  passed=$((passed + gp + extra_passed))
  failed=$((failed + gf + extra_failed))
  zel_say "$name: $((gp + extra_passed)) passed, $((gf + extra_failed)) failed" \
    "(ctest: $cf of $ct failed; reports in $results)"
}

# add_counts FILE: adds the "passed failed" counts a step left in FILE; a step that
# left none counts as one failed test.
add_counts() {
  local p f
  if read -r p f <"$1" 2>/dev/null; then
    passed=$((passed + p))
    failed=$((failed + f))
  else
    failed=$((failed + 1))
  fi
}

zel_install_missing || exit 1
cd "$ZEL_ROOT" || exit 1
native_dir=$ZEL_BUILD_ROOT/native
linux_dir=$ZEL_BUILD_ROOT/linux
release_dir=$ZEL_BUILD_ROOT/linux-release
sanitize_dir=$ZEL_BUILD_ROOT/sanitize
fuzz_dir=$ZEL_BUILD_ROOT/fuzz

if zel_configure_build native; then
  native_built=1
else
  native_built=0
  zel_warn "the native build failed"
  failed=$((failed + 1))
fi
if zel_configure_build linux; then
  linux_built=1
else
  linux_built=0
  zel_warn "the linux build failed"
  failed=$((failed + 1))
fi
# The Linux program as it is packaged: a Release build, made into its Debian package.
if zel_configure_build linux-release zelvora-deb; then
  release_built=1
else
  release_built=0
  zel_warn "the linux release build or its package failed"
  failed=$((failed + 1))
fi
# Both Windows builds, each with the zip a Windows user downloads (README.md, "The
# release package"), whether or not this machine can run them.
windows_builds=()
for preset in windows64 windows; do
  if zel_configure_build $preset; then
    windows_builds+=("$preset")
    if ! cmake --build "$ZEL_BUILD_ROOT/$preset" --target zelvora-zip; then
      zel_warn "the $preset release package could not be made"
      failed=$((failed + 1))
    fi
  else
    zel_warn "the $preset build failed"
    failed=$((failed + 1))
  fi
done

[ $native_built = 1 ] && run_tests native "$native_dir" 300
if [ $linux_built = 1 ]; then
  rm -rf "$linux_dir/test-output"
  run_tests linux "$linux_dir" 900
  shots=$(find "$linux_dir/test-output" -type f 2>/dev/null | wc -l)
  zel_say "screenshots of the linux tests ($shots files): $linux_dir/test-output"
fi
if [ $release_built = 1 ]; then
  # The package as Debian's checker sees it: one test, failed by any error or warning.
  zel_say "lintian on the Debian package"
  deb=$(ls "$release_dir"/zelvora_*_amd64.deb | head -n 1)
  report=$(lintian "$deb" 2>&1 | grep -v 'running with root privileges')
  if ! command -v lintian >/dev/null || printf '%s\n' "$report" | grep -q '^[EW]:'; then
    printf '%s\n' "$report"
    zel_warn "lintian found errors or warnings in $deb (or is not installed)"
    failed=$((failed + 1))
  else
    passed=$((passed + 1))
  fi
  # The Linux program from its Debian package with real players and a real sound
  # server; one test per step.
  zel_say "running the Linux end-to-end drive"
  "$ZEL_ROOT/scripts/e2e-linux.sh" "$release_dir"
  add_counts "$release_dir/test-output/e2e-linux/result"
  # Measured, not counted: start-up to a docked tray icon and idle wakeups.
  zel_say "benchmark of the Linux program on a desktop"
  timeout --kill-after=10 180 "$ZEL_ROOT/bench/linux_desktop.sh" "$release_dir/src/zelvora" ||
    zel_warn "the desktop benchmark did not finish"
fi

# The native tests once more with ASan and UBSan: any report ends the test program,
# which then counts as failed.
if zel_configure_build sanitize zel_tests; then
  export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
  export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1}
  run_tests sanitize "$sanitize_dir" 600
else
  zel_warn "the sanitize build failed"
  failed=$((failed + 1))
fi

# The fuzz targets: seeds and regressions replayed, then a fixed time each.
if zel_configure_build fuzz; then
  zel_say "running the fuzz targets"
  "$ZEL_ROOT/scripts/fuzz.sh" "$fuzz_dir"
  add_counts "$fuzz_dir/fuzz-results/result"
else
  zel_warn "the fuzz build failed"
  failed=$((failed + 1))
fi

# windows_tests PRESET: the tests of one Windows build under Wine, in the build's own
# prefix (win32 or win64), then its end-to-end drive in a fresh one.
windows_tests() {
  local preset=$1 dir=$ZEL_BUILD_ROOT/$1 arch=win32 prefix=$ZEL_BUILD_ROOT/wine
  [ "$preset" = windows64 ] && arch=win64 prefix=$ZEL_BUILD_ROOT/wine64
  zel_wine_env "$prefix" $arch
  if ! zel_start_xvfb; then
    zel_warn "could not start Xvfb; the $preset tests did not run"
    failed=$((failed + 1))
  elif ! zel_make_prefix; then
    zel_warn "could not make the wine prefix; the $preset tests did not run"
    failed=$((failed + 1))
  else
    rm -rf "$dir/test-output"
    mkdir -p "$dir/test-output"
    # A playback device for Wine, so that the volume bar's Core Audio path runs.
    if ! zel_start_pulse; then
      zel_warn "no sound server: the volume tests cannot use a playback device"
      failed=$((failed + 1))
    fi
    run_tests $preset "$dir" $((ZEL_WINE_TIMEOUT + 30))
    zel_stop_pulse
    zel_stop_wine
    zel_stop_xvfb
    shots=$(find "$dir/test-output" -type f 2>/dev/null | wc -l)
    zel_say "screenshots of the $preset tests ($shots files): $dir/test-output"
  fi
  # The end-to-end drive: its own fresh prefix and display; one test per step.
  zel_say "running the $preset end-to-end drive"
  rm -f "$dir/test-output/e2e/result"
  "$ZEL_ROOT/scripts/e2e.sh" "$dir"
  add_counts "$dir/test-output/e2e/result"
}

for preset in "${windows_builds[@]}"; do
  if [ $preset = windows ] && ! why=$(zel_wine32_runs); then
    zel_say "skipped the 32-bit Windows tests and drive: $why"
    continue
  fi
  windows_tests $preset
done

cleanup
zel_say "took $(((SECONDS - started) / 60))m$(((SECONDS - started) % 60))s"
[ $((passed + failed)) -eq 0 ] && zel_warn "no test ran"
echo "tests: $passed passed, $failed failed"
[ "$failed" -eq 0 ] && [ "$passed" -gt 0 ]
