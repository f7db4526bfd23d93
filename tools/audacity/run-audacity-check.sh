#!/usr/bin/env bash
# Headless check of the Linux VST2 twin in Debian's Audacity 3.2 (third-party host, not part
# of the tests). Needs: apt-get install audacity xvfb; root or user namespaces for unshare.
# Usage: tools/audacity/run-audacity-check.sh [path/to/Zarvotone.so]  (a Release build:
# a sanitized twin needs the sanitizer runtimes preloaded, and Audacity hung with them).
# Our host (build/release/tools/vsthost/vsthost) renders the references the output is
# compared with. Audacity runs with a temporary HOME in a private /tmp (the scripting pipe's
# names are fixed per uid) and a network namespace of its own (its X display cannot clash).
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
plugin=$(realpath "${1:-$root/build/release/plugin/Zarvotone.so}")
host=$root/build/release/tools/vsthost/vsthost
[ -f "$plugin" ] || { echo "FAIL: no plug-in at $plugin"; exit 1; }
[ -x "$host" ] || { echo "FAIL: no host at $host (cmake --build build/release --target vsthost)"; exit 1; }
work=$(mktemp -d "$root/build/audacity-check.XXXXXX")
trap '[ -n "${ZV_KEEP:-}" ] || rm -rf "$work"' EXIT
mkdir -p "$work/home/.audacity-data" "$work/vst" "$work/projects"
cp "$plugin" "$work/vst/Zarvotone.so"
# A module is loaded only when enabled at the path and modification time recorded for it;
# the version entry stops the first-start welcome dialog. Unsaved projects go to a temporary
# directory of the run's own: one left in the shared default by a killed run brings up the
# crash recovery dialog. WAV exports are 16-bit, without dither. Effects sorted by name put
# the plug-in last in the Effect menu, where the dialog cycles find it.
module=/usr/lib/audacity/modules/mod-script-pipe.so
printf '[Module]\nmod-script-pipe=1\n[ModulePath]\nmod-script-pipe=%s\n[ModuleDateTime]\nmod-script-pipe=%s\n[GUI]\nShowSplashScreen=0\n[Version]\nMajor=3\nMinor=2\nMicro=4\n[Directories]\nTempDir=%s\n[Quality]\nHQDitherAlgorithmChoice=None\n[Effects]\nGroupBy=sortby:name\n' \
    "$module" "$(date -r "$module" +%Y-%m-%dT%H:%M:%S)" "$work/projects" > "$work/home/.audacity-data/audacity.cfg"

# Two seconds of 220 Hz (left) and 330 Hz (right) at -6 dBFS, and our host's renders of it
# at Audacity's block size.
ZV_HERE=$root/tools/audacity python3 -c '
import math, os, sys
sys.path.insert(0, os.environ["ZV_HERE"])
import wav_compare as wc
rate, n = 44100, 88200
wc.write_stereo_float(sys.argv[1], rate, [0.5 * math.sin(2 * math.pi * 220 * i / rate) for i in range(n)],
                      [0.5 * math.sin(2 * math.pi * 330 * i / rate) for i in range(n)])' "$work/in.wav"
render() { "$host" "$plugin" --input "$work/in.wav" --block 8192 --brief --output "$work/$1" "${@:2}" > /dev/null; }
render ref-default.wav
render ref-preset.wav --program 13
render ref-param.wav --param 9=0.5

preload=
if [ -n "${ZV_ASAN:-}" ] && ldd "$plugin" | grep -q libasan; then
    preload="$(gcc -print-file-name=libasan.so) $(gcc -print-file-name=libubsan.so)"
fi
export ZV_WORK=$work ZV_PRELOAD=$preload ZV_HERE=$root/tools/audacity
timeout 1200 unshare -m -n --propagation private bash -c '
    mount -t tmpfs tmpfs /tmp
    ip link set lo up 2>/dev/null || true
    export HOME=$ZV_WORK/home VST_PATH=$ZV_WORK/vst DISPLAY=:7
    Xvfb :7 -screen 0 1280x1024x24 -nolisten tcp > "$ZV_WORK/xvfb.log" 2>&1 &
    xvfb=$!
    sleep 1
    LD_PRELOAD="$ZV_PRELOAD" ASAN_OPTIONS=detect_leaks=0 audacity > "$ZV_WORK/audacity.log" 2>&1 &
    audacity=$!
    python3 "$ZV_HERE/check-vst2-twin.py" "$audacity" "$ZV_WORK"; rc=$?
    # A hang is mostly a dialog: name the windows that are open (xdotool is optional).
    if [ $rc != 0 ] && command -v xdotool > /dev/null; then
        for w in $(xdotool search --onlyvisible --name "."); do
            echo "open window: $(xdotool getwindowname $w)"
        done
    fi
    kill $audacity 2>/dev/null; sleep 1; kill -9 $audacity 2>/dev/null; kill $xvfb 2>/dev/null
    wait 2>/dev/null
    grep -m3 -E "ERROR: (Address|Undefined)|runtime error" "$ZV_WORK/audacity.log" && rc=1
    exit $rc' || { rc=$?; echo "--- audacity.log (last lines)"; tail -20 "$work/audacity.log"; exit $rc; }
