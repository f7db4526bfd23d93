#!/usr/bin/env bash
# The main job: load the plug-in of both builds in our own VST2 host and run audio through it,
# once per factory program and per hand-made setting, writing every result as a WAV file and
# printing its levels, then save screenshots of the editor through both plug-in formats.
# Usage: tools/demo.sh [input.wav ...];
# without files the built-in test signal (a 440 Hz / 660 Hz sine pair) is used, with files each
# of them as well.
set -euo pipefail
cd "$(dirname "$0")/.."

# The plug-in builds its editor window as it loads, so every Wine program of the job, renders
# included, runs on one virtual screen: a Wine session started without a screen leaves later
# programs unable to open a window.
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a bash "$0" "$@"
fi

OUT=build/demo
NATIVE_HOST=build/native/tools/vsthost/vsthost
NATIVE_PLUGIN=build/native/plugin/Zarvotone.so
WINDOWS_HOST=build/windows/tools/vsthost/vsthost.exe
WINDOWS_PLUGIN=build/windows/plugin/Zarvotone.dll
NATIVE_VST3_HOST=build/native/tools/vst3host/vst3host
NATIVE_MODULE=build/native/vst3/Zarvotone.vst3
WINDOWS_VST3_HOST=build/windows/tools/vst3host/vst3host.exe
WINDOWS_MODULE=build/windows/vst3/Zarvotone.vst3

# name and host options of each render
RENDERS=(
  "program-000|--program 0"
  "program-020|--program 20"
  "program-058|--program 58"
  "program-081|--program 81"
  "program-098|--program 98"
  "program-125|--program 125"
  "distortion|--param 35=0 --param 9=1 --param 10=0.275 --param 14=1"
  "distortion-8x|--param 35=0 --param 9=1 --param 10=0.275 --param 14=1 --param 61=1"
  "sub-band-drive|--param 38=0.8 --param 40=0.7 --param 37=1"
  "bypass-all|--param 52=1 --param 60=0 --param 63=1"
)

render_all() {
  local build=$1 source_name=$2; shift 2
  local runner=("$@")
  mkdir -p "$OUT/$build"
  for entry in "${RENDERS[@]}"; do
    local name=${entry%%|*} options=${entry#*|}
    local wav="$OUT/$build/$source_name-$name.wav"
    echo "-- $build / $source_name / $name -> $wav"
    # shellcheck disable=SC2086
    "${runner[@]}" --entry double --brief $SOURCE_OPTIONS $options --output "$wav" | grep -E '^(program [0-9]|double)'
  done
}

# The same renders through the VST3 module with our VST3 host.
render_all_vst3() {
  local build=$1 source_name=$2; shift 2
  local runner=("$@")
  mkdir -p "$OUT/$build-vst3"
  for entry in "${RENDERS[@]}"; do
    local name=${entry%%|*} options=${entry#*|}
    local wav="$OUT/$build-vst3/$source_name-$name.wav"
    echo "-- $build VST3 / $source_name / $name -> $wav"
    # shellcheck disable=SC2086
    "${runner[@]}" --precision 64 --brief $SOURCE_OPTIONS $options --output "$wav" | grep -E '^(program [0-9]|64-bit)'
  done
}

run_source() {
  local source_name=$1
  echo "== $source_name: native ($NATIVE_PLUGIN)"
  render_all native "$source_name" "$NATIVE_HOST" "$NATIVE_PLUGIN"
  echo
  echo "== $source_name: windows under Wine ($WINDOWS_PLUGIN)"
  render_all windows "$source_name" cmake/wine-run.sh "$WINDOWS_HOST" "$WINDOWS_PLUGIN"
  echo
  echo "== $source_name: native VST3 ($NATIVE_MODULE)"
  render_all_vst3 native "$source_name" "$NATIVE_VST3_HOST" "$NATIVE_MODULE"
  echo
  echo "== $source_name: windows VST3 under Wine ($WINDOWS_MODULE)"
  render_all_vst3 windows "$source_name" cmake/wine-run.sh "$WINDOWS_VST3_HOST" "$WINDOWS_MODULE"
  echo
}

# The editor as a user sees it: opened in our host's window under Wine on a virtual screen,
# saved as a PNG next to the WAVs; the VST2 plug-in through vsthost, the VST3 module's editor
# view through vst3host. A plug-in without an editor is said so and skipped.
screenshot_editor() {
  local label=$1 host=$2 plugin=$3 png=$4 report
  mkdir -p "$(dirname "$png")"
  echo "== editor screenshot: $label under Wine ($plugin)"
  if report=$(cmake/wine-run.sh "$host" "$plugin" --brief --signal silence \
                --seconds 0.1 --screenshot "$(realpath -m "$png")" 2>&1); then
    grep -E '^(editor|edit|resize|screenshot)' <<<"$report"
  elif grep -q "has no editor" <<<"$report"; then
    echo "the $label plug-in has no editor yet: no screenshot"
  else
    echo "$report"
    return 1
  fi
  echo
}

# The three tabs after a user's first moves: on the plug-in tab the input volume dragged down,
# the input saturation mode clicked and a shape chosen from the curve menu; then the scope tab
# and the about tab, each opened with its tab button. Then what a user meets next: a program
# renamed to a long name (with the longest dynamic-shaper mode name on the curve), the scope and
# the about tab's level eyes while a signal plays.
LONG_PROGRAM_NAME="A fifty-character program name that runs on and on"
TAB_SCRIPTS=(
  "plugin-tab|--press 80,652 --drag 80,682 --release 80,682 --press 198,704 --release 198,704 --menu-item 5 --press 325,109 --release 325,109"
  "scope-tab|--press 323,795 --release 323,795"
  "about-tab|--press 403,795 --release 403,795"
  "long-program-name|--program-name LONG_PROGRAM_NAME --param 20=1"
  "scope-tab-signal|--signal sine --press 323,795 --release 323,795 --play 1.5"
  "about-tab-signal|--signal sine --press 403,795 --release 403,795 --play 1.5"
)

# Every popup menu as it opens over the editor: the program menu, the curve menu, the two
# filter-type menus and the curve editor's action menu (a right click).
MENU_SCRIPTS=(
  "program-menu|--press 163,592 --release 163,592"
  "curve-menu|--press 325,109 --release 325,109"
  "filter-1-menu|--press 87,422 --release 87,422"
  "filter-2-menu|--press 275,422 --release 275,422"
  "curve-action-menu|--right-click 325,195"
)

# Options of a script, with the long program name kept in one piece.
script_options() {
  local script=$1 word
  SCRIPT_WORDS=()
  for word in $script; do
    if [ "$word" = LONG_PROGRAM_NAME ]; then SCRIPT_WORDS+=("$LONG_PROGRAM_NAME"); else SCRIPT_WORDS+=("$word"); fi
  done
}

screenshot_tabs() {
  mkdir -p "$OUT/windows"
  echo "== editor tabs: windows under Wine ($WINDOWS_PLUGIN)"
  for entry in "${TAB_SCRIPTS[@]}"; do
    local name=${entry%%|*} png="$OUT/windows/editor-${entry%%|*}.png"
    script_options "${entry#*|}"
    cmake/wine-run.sh "$WINDOWS_HOST" "$WINDOWS_PLUGIN" --brief --signal silence --seconds 0.1 \
      "${SCRIPT_WORDS[@]}" --screenshot "$(realpath -m "$png")" | grep -E '^(edit|screenshot|program name)'
  done
  echo
  echo "== editor menus: windows under Wine ($WINDOWS_PLUGIN)"
  for entry in "${MENU_SCRIPTS[@]}"; do
    local png="$OUT/windows/menu-${entry%%|*}.png"
    script_options "${entry#*|}"
    cmake/wine-run.sh "$WINDOWS_HOST" "$WINDOWS_PLUGIN" --brief --signal silence --seconds 0.1 \
      --menu-screenshot "$(realpath -m "$png")" "${SCRIPT_WORDS[@]}" | grep -E '^menu screenshot'
  done
  echo
}

SOURCE_OPTIONS="--signal sine --seconds 2"
run_source test-signal
for input in "$@"; do
  # Wine reaches the file through its Unix path on drive Z:.
  SOURCE_OPTIONS="--input $(realpath "$input")"
  run_source "$(basename "$input" .wav)"
done
screenshot_editor windows "$WINDOWS_HOST" "$WINDOWS_PLUGIN" "$OUT/windows/editor.png"
screenshot_editor "windows VST3" "$WINDOWS_VST3_HOST" "$WINDOWS_MODULE" "$OUT/windows-vst3/editor.png"
screenshot_tabs
echo "WAV files are in $OUT/native, $OUT/windows, $OUT/native-vst3 and $OUT/windows-vst3."
