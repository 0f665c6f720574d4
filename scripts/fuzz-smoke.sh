#!/usr/bin/env bash
# Builds the save fuzzer (clang, libFuzzer, address and undefined-behaviour sanitizers) in its
# own build folder and runs it for about a minute over a freshly written seed corpus and the
# kept regression inputs. Any finding fails the script; its input is left in the work folder.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${VEK5_FUZZ_SECONDS:-60}"

scripts/install-deps.sh clang-14 libclang-rt-14-dev

# The seed writer uses the test save builder of the normal build.
if [ ! -f build/build.ninja ]; then
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
cmake --build build --target make_fuzz_seeds

CXX=clang++-14 cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DVEK5_FUZZ=ON -DVEK5_BUILD_GUI=OFF -DVEK5_BUILD_TESTS=OFF
cmake --build build-fuzz --target save_fuzzer

work="$(mktemp -d)"
mkdir -p "$work/seeds" "$work/corpus"
build/tools/make_fuzz_seeds "$work/seeds"
regressions=()
if [ -d tests/fuzz/regressions ]; then regressions=(tests/fuzz/regressions); fi
echo "Fuzzing for ${seconds} s; corpus and findings in $work"
# New inputs go to the first folder; the seeds and the regression inputs are only read.
if ! build-fuzz/tests/fuzz/save_fuzzer "$work/corpus" "$work/seeds" "${regressions[@]}" \
  -dict=tests/fuzz/save.dict -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 \
  -artifact_prefix="$work/" -print_final_stats=1 >"$work/fuzz.log" 2>&1; then
  tail -n 60 "$work/fuzz.log"
  echo "The fuzzer found a fault; its input is in $work" >&2
  exit 1
fi
grep -E '^(#[0-9]+ +DONE|stat::)' "$work/fuzz.log" || true
rm -rf "$work"
