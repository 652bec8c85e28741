#!/usr/bin/env bash
# Runs the fuzz targets of a fuzz build (preset "fuzz", built with ASan and UBSan):
# for each target it first replays the seeds in fuzz/corpus/<target> and every input
# that once failed, fuzz/regressions/<target>, then fuzzes for a fixed time. Any
# finding (a crash, a sanitizer report, a broken property, a leak, an allocation
# beyond the limit, an input that hangs) fails the target; libFuzzer keeps the
# input in the build's artifacts folder. Prints one line per target with its
# executions and coverage, and ends with
#   fuzz: N passed, N failed
# (one test per target), which also goes to <build>/fuzz-results/result.
#
# Usage: scripts/fuzz.sh [BUILD_DIR]   (default: $ZEL_BUILD_ROOT/fuzz, already built)
# Environment (besides those of scripts/lib.sh):
#   ZEL_FUZZ_TIME     seconds each target fuzzes (default 30)
#   ZEL_FUZZ_TARGETS  the targets to run (default: every fuzz_* program of the build)
set -uo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

dir=$(cd "${1:-$ZEL_BUILD_ROOT/fuzz}" 2>/dev/null && pwd) || zel_die "no build folder ${1:-$ZEL_BUILD_ROOT/fuzz}"
seconds=${ZEL_FUZZ_TIME:-30}
out=$dir/fuzz-results
rm -rf "$out"
mkdir -p "$out" "$dir/fuzz-work"

# The targets' scratch files, in memory where there is room, removed at the end.
scratch=$(mktemp -d "$( [ -d /dev/shm ] && echo /dev/shm || echo "${TMPDIR:-/tmp}")/zel-fuzz-run-XXXXXX") ||
  zel_die "cannot make a scratch folder"
export ZEL_FUZZ_SCRATCH=$scratch
trap 'rm -rf "$scratch"' EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

targets=${ZEL_FUZZ_TARGETS:-$(cd "$dir/fuzz" 2>/dev/null && ls fuzz_* 2>/dev/null | sed 's/^fuzz_//')}
passed=0
failed=0

# The files of the folders that exist, for a replay.
inputs_of() {
  local d
  for d in "$@"; do [ -d "$d" ] && find "$d" -type f ! -name '*.md' | sort; done
}

# run_target NAME: replays, then fuzzes; returns non-zero on any finding.
run_target() {
  local name=$1 program=$dir/fuzz/fuzz_$1 log=$out/$1.log
  local seeds=$ZEL_ROOT/fuzz/corpus/$1 regressions=$ZEL_ROOT/fuzz/regressions/$1
  local work=$dir/fuzz-work/$1 artifacts=$out/artifacts/$1/
  mkdir -p "$work" "$artifacts"
  [ -x "$program" ] || { echo "fuzz $name: no program $program"; return 1; }
  # Every input is small; an allocation far beyond one is a length taken on trust.
  local limits=(-rss_limit_mb=2048 -malloc_limit_mb=256 -timeout=10)
  # Inputs of the regressions may be larger; fuzzing keeps to small ones, which run fast.
  local small=(-max_len=8192)

  local replay=()
  mapfile -t replay < <(inputs_of "$regressions" "$seeds")
  if [ ${#replay[@]} -gt 0 ] &&
    ! timeout --kill-after=10 300 "$program" "${limits[@]}" "${replay[@]}" >"$log" 2>&1; then
    echo "fuzz $name: FAILED replaying the seeds and regressions (log: $log)"
    tail -n 30 "$log"
    return 1
  fi

  local corpora=("$work")
  [ -d "$seeds" ] && corpora+=("$seeds")
  [ -d "$regressions" ] && corpora+=("$regressions")
  if ! timeout --kill-after=10 $((seconds + 120)) "$program" "${limits[@]}" "${small[@]}" \
    -max_total_time="$seconds" -print_final_stats=1 -artifact_prefix="$artifacts" \
    "${corpora[@]}" >>"$log" 2>&1; then
    echo "fuzz $name: FAILED after ${seconds}s (log: $log; input kept in $artifacts)"
    grep -E 'ERROR|runtime error|property failed|SUMMARY' "$log" | head -n 10
    return 1
  fi
  local runs cov ft corp
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  read -r cov ft corp < <(sed -n 's/.*DONE *cov: \([0-9]*\) ft: \([0-9]*\) corp: \([^ ]*\).*/\1 \2 \3/p' "$log" | tail -n 1)
  echo "fuzz $name: replayed ${#replay[@]} inputs; ${runs:-?} executions in ${seconds}s," \
    "coverage ${cov:-?} edges, ${ft:-?} features, corpus ${corp:-?}; no findings"
}

[ -n "$targets" ] || { echo "fuzz: no targets in $dir/fuzz"; targets=none; }
for t in $targets; do
  if [ "$t" != none ] && run_target "$t"; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
  fi
done
echo "fuzz: $passed passed, $failed failed"
echo "$passed $failed" >"$out/result"
[ "$failed" -eq 0 ]
