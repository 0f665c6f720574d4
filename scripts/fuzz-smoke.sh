#!/usr/bin/env bash
# Runs the save fuzzers (clang, libFuzzer, address and undefined-behaviour sanitizers) for about
# half a minute each over a freshly written seed corpus and the kept regression inputs: the lean
# target (image and analysis only, small inputs) and the full target (analysis and every view).
# Takes the fuzz targets of the given build folder (configured with VEK5_FUZZ=ON), or builds
# them in build-fuzz. Any finding fails the script; its input is left in the work folder.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${VEK5_FUZZ_SECONDS:-30}"
fuzz_build="${1:-build-fuzz}"

scripts/install-deps.sh clang-14 libclang-rt-14-dev

# The seed writer uses the test save builder of the normal build.
if [ ! -f build/build.ninja ]; then
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release
fi
cmake --build build --target make_fuzz_seeds

if [ ! -f "$fuzz_build/build.ninja" ]; then
  CXX=clang++-14 cmake -S . -B "$fuzz_build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DVEK5_FUZZ=ON -DVEK5_BUILD_GUI=OFF -DVEK5_BUILD_TESTS=OFF
fi
cmake --build "$fuzz_build" --target analysis_fuzzer save_fuzzer

work="$(mktemp -d)"
regressions=()
if [ -d tests/fuzz/regressions ]; then regressions=(tests/fuzz/regressions); fi

# fuzz TARGET SEED_OPTION [FUZZER_OPTION...]: one run; new inputs go to the first folder, the
# seeds and the regression inputs are only read.
fuzz() {
  local target="$1" seed_option="$2"
  shift 2
  mkdir -p "$work/$target/seeds" "$work/$target/corpus"
  build/tools/make_fuzz_seeds $seed_option "$work/$target/seeds"
  echo "Fuzzing $target for ${seconds} s; corpus and findings in $work/$target"
  if ! "$fuzz_build/tests/fuzz/$target" "$work/$target/corpus" "$work/$target/seeds" \
    "${regressions[@]}" -dict=tests/fuzz/save.dict "$@" \
    -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 -artifact_prefix="$work/$target/" \
    -print_final_stats=1 >"$work/$target/fuzz.log" 2>&1; then
    tail -n 60 "$work/$target/fuzz.log"
    echo "The fuzzer $target found a fault; its input is in $work/$target" >&2
    exit 1
  fi
  grep -E '^(#[0-9]+ +DONE|stat::)' "$work/$target/fuzz.log" || true
}

# The lean target's inputs stay small (its seeds are cuts of a few KiB); the full target takes
# the length of its largest seed.
fuzz analysis_fuzzer --lean -max_len=32768
fuzz save_fuzzer ""
rm -rf "$work"
