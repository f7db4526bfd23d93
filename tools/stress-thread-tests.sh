#!/usr/bin/env bash
# Runs the thread tests of the native, ThreadSanitizer and Windows (Wine) builds many times,
# several at once, optionally beside a CPU load, and counts the runs that passed, failed and
# timed out: a hang or a race that shows once in a hundred runs is likely to show here.
# Usage: tools/stress-thread-tests.sh [-n runs] [-j parallel] [-l busy-loops] [-t seconds] [build ...]
#   -n  runs of every program (default 50)
#   -j  programs running at once (default 4)
#   -l  busy loops started beside them as extra load (default 0)
#   -t  time limit of one run in seconds (default 120)
#   builds: native tsan windows (default all three; each must be built, windows also
#   needs `make wine-prefix`)
# The output of every run that did not pass is kept in build/stress/.
set -euo pipefail
cd "$(dirname "$0")/.."

runs=50
parallel=4
load=0
limit=120
while getopts "n:j:l:t:" option; do
  case $option in
    n) runs=$OPTARG ;;
    j) parallel=$OPTARG ;;
    l) load=$OPTARG ;;
    t) limit=$OPTARG ;;
    *) sed -n '5,11p' "$0" >&2; exit 2 ;;
  esac
done
shift $((OPTIND - 1))
builds=("$@")
[ ${#builds[@]} -gt 0 ] || builds=(native tsan windows)

# program path below the build folder, and a test filter (empty: the whole program)
PROGRAMS=(
  "tests/framework/framework_lock_test|"
  "tests/graphics/graphics_thread_test|"
  "tests/editor_core/editor_thread_test|"
  "tests/plugin/plugin_vst2_thread_test|"
  "tests/plugin/plugin_vst3_thread_test|"
  "tests/editor_core/editor_core_test|Scope.ABlockRunningMeanwhileEmptiesTheRingItself"
  "tests/vst3/vst3_binding_test|ModuleEntry.ConcurrentRequestsAndReleasesShareOneLivingFactory"
  "tests/support/test_support_test|"
)

OUT=build/stress
rm -rf "$OUT"
mkdir -p "$OUT"

# One line per run to do: build, program, filter, run number.
jobs_file=$OUT/jobs
: >"$jobs_file"
for build in "${builds[@]}"; do
  for entry in "${PROGRAMS[@]}"; do
    program=build/$build/${entry%%|*}
    [ "$build" = windows ] && program=$program.exe
    if [ ! -x "$program" ]; then
      # The ThreadSanitizer build has only the programs marked for it.
      [ "$build" = tsan ] && continue
      echo "missing: $program (build it first)" >&2
      exit 1
    fi
    for ((run = 1; run <= runs; run++)); do
      echo "$build|$program|${entry#*|}|$run" >>"$jobs_file"
    done
  done
done

busy=()
wine_started=
WINESERVER="env WINEPREFIX=$PWD/build/windows/wineprefix /usr/lib/wine/wineserver"
finish() {
  for pid in "${busy[@]}"; do kill "$pid" 2>/dev/null || true; done
  if [ -n "$wine_started" ]; then $WINESERVER -k || true; fi
}
trap finish EXIT

# Wine programs side by side share one persistent server, as under `make test`.
if printf '%s\n' "${builds[@]}" | grep -qx windows; then
  if $WINESERVER -p 2>/dev/null; then wine_started=1; fi
fi
for ((i = 0; i < load; i++)); do
  (while :; do :; done) &
  busy+=($!)
done

# Runs one job and prints "<build>|<program>|<filter>|passed|failed|timed-out".
run_one() {
  IFS='|' read -r build program filter run <<<"$1"
  local args=() command=("$program") log
  [ -n "$filter" ] && args=("--gtest_filter=$filter")
  [ "$build" = windows ] && command=(cmake/wine-run.sh "$program")
  # The sanitized programs have their sanitizer options built in.
  log=$OUT/$build-$(basename "$program")-$run.log
  local status=0
  timeout -k 10 "$limit" "${command[@]}" "${args[@]}" >"$log" 2>&1 || status=$?
  local outcome=passed
  if [ $status -eq 124 ] || [ $status -eq 137 ]; then
    outcome=timed-out
  elif [ $status -ne 0 ]; then
    outcome=failed
  fi
  if [ $outcome = passed ]; then
    rm -f "$log"
  else
    echo "exit status $status" >>"$log"
  fi
  echo "$build|$(basename "$program")|$filter|$outcome"
}
export -f run_one
export OUT limit

start=$(date +%s)
echo "$(wc -l <"$jobs_file") runs, $parallel at once, $load busy loops beside them"
xargs -d '\n' -P "$parallel" -I{} bash -c 'run_one "$1"' _ {} <"$jobs_file" >"$OUT/results"

echo
printf '%6s %6s %9s  %-8s %s\n' passed failed timed-out build program
awk -F'|' '{ key = $1 "|" $2 ($3 != "" ? " " $3 : ""); seen[key] = 1; count[key "|" $4]++ }
  END { for (key in seen) { split(key, part, "|");
          printf "%6d %6d %9d  %-8s %s\n", count[key "|passed"], count[key "|failed"],
                 count[key "|timed-out"], part[1], part[2] } }' "$OUT/results" | sort -k4
awk -F'|' '{ count[$4]++ } END { printf "total: %d passed, %d failed, %d timed out\n",
  count["passed"], count["failed"], count["timed-out"] }' "$OUT/results"
echo "wall time: $(($(date +%s) - start)) s"
! grep -qv '|passed$' "$OUT/results"
