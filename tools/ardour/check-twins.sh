#!/usr/bin/env bash
# Manual check of both Linux twins in Ardour 7 (Debian's ardour package), headless: scans the VST2
# and the VST3 build, then runs twin-check.lua in ardour7-lua on a Dummy-backend session.
# Usage: tools/ardour/check-twins.sh [release build dir, default build/release]
# Build first: cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release && cmake --build build/release -j4
set -uo pipefail
cd "$(dirname "$0")/../.."

BUILD=$(realpath "${1:-build/release}")
ARDOUR_LIB=/usr/lib/ardour7
VST2_PLUGIN=$BUILD/plugin/Zarvotone.so
VST3_MODULE=$BUILD/vst3/Zarvotone.vst3
SCAN_TIMEOUT=60
SESSION_TIMEOUT=600
LUA_SCRIPT=$(realpath tools/ardour/twin-check.lua)

for needed in "$VST2_PLUGIN" "$VST3_MODULE" "$ARDOUR_LIB/ardour-vst-scanner" "$ARDOUR_LIB/ardour-vst3-scanner"; do
  if [ ! -e "$needed" ]; then echo "FAIL  missing $needed"; exit 1; fi
done
if ! command -v ardour7-lua > /dev/null; then echo "FAIL  ardour7-lua not installed (apt-get install ardour)"; exit 1; fi

# Ardour keeps its scan cache and settings under HOME: a fresh one per run leaves no stale cache.
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
export HOME=$WORK/home XDG_CACHE_HOME=$WORK/cache XDG_CONFIG_HOME=$WORK/config
mkdir -p "$HOME"
export LD_LIBRARY_PATH=$ARDOUR_LIB LXVST_PATH=$(dirname "$VST2_PLUGIN") VST3_PATH=$(dirname "$VST3_MODULE")
export ZV_SESSION_DIR=$WORK/session

failed=0
scan() {
  local scanner=$1 target=$2 label=$3
  if timeout "$SCAN_TIMEOUT" "$ARDOUR_LIB/$scanner" "$target" > "$WORK/$label-scan.log" 2>&1 \
      && grep -q "Found Plugin" "$WORK/$label-scan.log"; then
    echo "PASS  $label: scanned ($(grep -m1 "Found Plugin" "$WORK/$label-scan.log" | sed 's/.*Found Plugin: //'))"
  else
    echo "FAIL  $label: scan (exit $?)"; sed 's/^/      /' "$WORK/$label-scan.log"; failed=1
  fi
}
scan ardour-vst-scanner "$VST2_PLUGIN" vst2
scan ardour-vst3-scanner "$VST3_MODULE" vst3
[ "$failed" = 0 ] || exit 1

# Ardour's own chatter goes to a log, shown only when a phase fails.
run_phase() {
  local phase=$1
  ZV_PHASE=$phase timeout "$SESSION_TIMEOUT" ardour7-lua "$LUA_SCRIPT" 2> "$WORK/$phase.log" \
    | grep -E '^(PASS|FAIL|note|      |ALL|[0-9]+ step)'
  local status=${PIPESTATUS[0]}
  # 1 is the script's own verdict; anything else means ardour7-lua stopped on its way.
  if [ "$status" != 0 ] && [ "$status" != 1 ]; then
    [ "$status" = 124 ] && echo "FAIL  $phase: ardour7-lua did not finish within ${SESSION_TIMEOUT}s"
    echo "FAIL  $phase: ardour7-lua exit $status; last log lines:"
    tail -5 "$WORK/$phase.log" | sed 's/^/      /'
  fi
  [ "$status" = 0 ]
}
run_phase create || failed=1
if [ -e "$ZV_SESSION_DIR/expected-values.lua" ]; then
  run_phase reopen || failed=1
else
  echo "FAIL  reopen: the create phase saved nothing to reopen"; failed=1
fi
[ "$failed" = 0 ] && echo "ALL STEPS PASS" || echo "SOME STEPS FAILED"
exit "$failed"
