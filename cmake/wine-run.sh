#!/bin/sh
# Runs a Windows program of the cross build under Wine, with a prefix inside the build folder.
# The prefix is found from the program's path: <build>/wineprefix.
#
# Wine starts its own service processes from whichever program needs them first, and they
# inherit that program's output. Were that ctest's pipe, ctest would wait for them to exit, long
# after the test ended; so the program writes into a file that is printed once it has exited.
set -e
program=$1
dir=$(cd "$(dirname "$program")" && pwd)
while [ "$dir" != / ] && [ ! -f "$dir/CMakeCache.txt" ]; do dir=$(dirname "$dir"); done
[ "$dir" = / ] && dir=$(pwd)
export WINEPREFIX="${WINEPREFIX:-$dir/wineprefix}"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
output=$(mktemp)
status=0
/usr/lib/wine/wine64 "$@" >"$output" 2>&1 </dev/null || status=$?
cat "$output"
rm -f "$output"
exit $status
