#!/usr/bin/env bash
# Installs what is needed, configures, builds and runs every test; then runs the layers below the
# window again under address and undefined-behaviour sanitizers, and a short fuzzing run.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build
export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"
ctest --test-dir build --output-on-failure -j2

# Sanitizer build without the window, with the full damaged-save sweeps (about a minute).
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVEK5_SANITIZE=ON \
  -DVEK5_BUILD_GUI=OFF
cmake --build build-asan
ctest --test-dir build-asan --output-on-failure -j2

scripts/fuzz-smoke.sh
