#!/usr/bin/env bash
# Installs what is needed, builds the analyser and starts it (with the demo save when no file
# is given).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build
exe=build/src/shell/vek5-analyser
if [ $# -eq 0 ] && [ -x build/tools/make_demo_save ]; then
  build/tools/make_demo_save build/demo.Vek5Save
  set -- build/demo.Vek5Save
fi
exec "$exe" "$@"
