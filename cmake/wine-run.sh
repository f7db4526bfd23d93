#!/bin/sh
# Runs a Windows program of the cross build under Wine, with a prefix inside the build folder.
# The prefix is found from the program's path: <build>/wineprefix.
set -e
program=$1
dir=$(cd "$(dirname "$program")" && pwd)
while [ "$dir" != / ] && [ ! -f "$dir/CMakeCache.txt" ]; do dir=$(dirname "$dir"); done
[ "$dir" = / ] && dir=$(pwd)
export WINEPREFIX="${WINEPREFIX:-$dir/wineprefix}"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
exec /usr/lib/wine/wine64 "$@"
