#!/usr/bin/env bash
# Redoes the README's picture of the window: the window on an X server of its own (Xvfb), a real
# save loaded, one page captured.
# Usage: scripts/make-screenshot.sh [BUILD_DIR] [SAVE] [PAGE] [OUT]
#   defaults: build, ../shared/saves/zeph-turn238.Vek5Save, GraphTab, docs/screenshot.png
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build}")
save=$(realpath "${2:-../shared/saves/zeph-turn238.Vek5Save}")
page=${3:-GraphTab}
out=${4:-docs/screenshot.png}
size=1100x720
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# From the save's folder, so that the path box shows the file's name alone.
(cd "$(dirname "$save")" && XDG_RUNTIME_DIR=$work QT_QPA_PLATFORM=xcb \
  xvfb-run -a -s "-screen 0 1280x800x24" \
  "$build/src/shell/vek5-analyser" --screenshot "$work/page" "$(basename "$save")" "$size")
shot=$(find "$work" -name "page-*$page*.png" | head -n 1)
[ -n "$shot" ] || { echo "make-screenshot: no page named like $page: $(ls "$work")" >&2; exit 1; }
cp "$shot" "$out"
echo "make-screenshot: $out"
