#!/bin/bash
# Soaks the fuzz targets of the files a user opens, each from its seeds in fuzz/corpus, two at
# a time, and reports the line coverage of each reader's own sources: once for the seeds alone,
# once for the corpus the soak grew. The grown corpus stays in build/soak and is never
# committed. The coverage comes from the same targets built with clang's source-based coverage
# in build/fuzzcov, which run every input once.
#
#   [SOAK=<folder>] tools/fuzz-soak.sh [seconds per target]    (build/soak, 600 s by default)
set -euo pipefail
cd "$(dirname "$0")/.."

SECONDS_PER_TARGET=${1:-600}
SOAK=${SOAK:-build/soak}
COVERAGE=build/fuzzcov
COVERAGE_FLAGS="-fprofile-instr-generate -fcoverage-mapping"

# Target, longest input (as its smoke run in fuzz/CMakeLists.txt), the functions of its sources
# that are not on the way from a file's bytes to what they set (writers, file opening, the
# host's own paths; mangled names), its sources.
READERS=(
  "curve_text 65536 5Write|AppendFixed|FormatFixed \
   dsp/units/files/CurveText.cpp dsp/units/files/CurveNumberText.cpp"
  "wav_reader 16384 4Read|6Import|5Write|6Encode|CanWrite|LimitIntegerLevel|Put|TruncateToInt|TruncateRate|6Export|SetFloatFormat \
   dsp/units/files/WavFile.cpp dsp/units/files/CurveWavFile.cpp dsp/units/files/Resampler.cpp \
   dsp/units/files/ResamplerFilter.cpp"
  "program_text 65536 13AppendSection|9ValueText|6Choice|AppendSettingLine|FormatSettingNumber|SetDefaults|5Texts|12ViewSettings|SetLastSelectedProgramFile|4LoadERKNSt \
   plugin/ProgramTextFile.cpp plugin/TextLineReader.cpp plugin/SettingsLine.cpp plugin/PluginConfig.cpp \
   dsp/units/curves/ParseCurveName.cpp"
  "fxp_file 32768 7Compose|12PutBigEndian|14DecimalVersion|8ReadFile|10AppendHead|14SerializeState|10StateCurve|12PrepareState|13MatchesValues|17ApplyLoadedValues|14EndProgramFade \
   plugin/FxpProgramFile.cpp plugin/StateBlock.cpp plugin/ZarvotoneState.cpp"
)
TARGETS=()
for reader in "${READERS[@]}"; do
  read -r name _ <<<"$reader"
  TARGETS+=("${name}_fuzzer")
done

CC=clang CXX=clang++ cmake -S . -B $COVERAGE -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZV_FUZZ=ON \
  "-DCMAKE_C_FLAGS=$COVERAGE_FLAGS" "-DCMAKE_CXX_FLAGS=$COVERAGE_FLAGS" \
  -DCMAKE_EXE_LINKER_FLAGS=-fprofile-instr-generate >/dev/null
cmake --build $COVERAGE -j2 --target "${TARGETS[@]}" >/dev/null
cmake --build build/fuzz -j2 --target "${TARGETS[@]}" >/dev/null

soak() {
  local name=$1 max_len=$2
  rm -rf "${SOAK:?}/$name" && mkdir -p "$SOAK/$name" "$SOAK/$name-crashes"
  # A hang, a leak or an allocation far beyond what an input of max_len bytes needs ends the run.
  build/fuzz/fuzz/${name}_fuzzer -max_total_time="$SECONDS_PER_TARGET" -len_control=0 -max_len="$max_len" \
    -timeout=10 -malloc_limit_mb=256 -print_final_stats=1 -artifact_prefix="$SOAK/$name-crashes/" \
    "$SOAK/$name" "fuzz/corpus/$name" >"$SOAK/$name.log" 2>&1 || echo "$name: the soak stopped on a finding, see $SOAK/$name.log"
}

# Line coverage of the reading functions of the sources after every input of the folders ran once.
coverage() {
  local name=$1 label=$2 others=$3 profile=$SOAK/$1-$2
  shift 3
  local folders=() sources=()
  for item in "$@"; do
    if [ -d "$item" ]; then folders+=("$item"); else sources+=("$item"); fi
  done
  LLVM_PROFILE_FILE="$profile.profraw" $COVERAGE/fuzz/${name}_fuzzer -runs=0 "${folders[@]}" >/dev/null 2>&1
  llvm-profdata merge -sparse "$profile.profraw" -o "$profile.profdata"
  llvm-cov report $COVERAGE/fuzz/${name}_fuzzer -instr-profile="$profile.profdata" -show-functions "${sources[@]}" \
    >"$profile.functions"
  # Function rows: name, regions, missed, cover, lines, missed lines, cover, branches, missed, cover.
  awk -v others="$others" -v what="$name, $label" '
    NF == 10 && $1 != "Name" && $1 != "TOTAL" && $1 !~ others { lines += $5; missed += $6 }
    END { printf "%s: %d of %d lines of the reading functions (%.1f %%)\n", what, lines - missed, lines,
          100 * (lines - missed) / lines }' "$profile.functions"
}

for ((i = 0; i < ${#READERS[@]}; i += 2)); do
  for reader in "${READERS[@]:i:2}"; do
    read -r name max_len _ <<<"$reader"
    soak "$name" "$max_len" &
  done
  wait
done

for reader in "${READERS[@]}"; do
  read -r name _ others sources <<<"$reader"
  grep -E "^(stat::(number_of_executed_units|new_units_added)|#[0-9]+[[:space:]]+DONE)" "$SOAK/$name.log" | sed "s/^/$name: /"
  # shellcheck disable=SC2086
  coverage "$name" seeds "$others" "fuzz/corpus/$name" $sources
  # shellcheck disable=SC2086
  coverage "$name" soak "$others" "$SOAK/$name" "fuzz/corpus/$name" $sources
done
