#!/usr/bin/env bash
# The main job: load the plug-in of both builds in our own VST2 host and run a test signal
# through every audio entry, printing what the plug-in reports and the output levels.
set -euo pipefail
cd "$(dirname "$0")/.."

run_host() {
  local title=$1; shift
  echo "== $title"
  "$@" --entry float,double --signal sine --seconds 1 --brief
  echo
}

run_host "native: Zarvotone.so" build/native/tools/vsthost/vsthost build/native/plugin/Zarvotone.so
run_host "windows (Wine): Zarvotone.dll" cmake/wine-run.sh build/windows/tools/vsthost/vsthost.exe build/windows/plugin/Zarvotone.dll
