#!/usr/bin/env bash
# Installs a build into a temporary prefix and checks what a user's desktop would meet: both
# programs with their manual pages, the completion and the package documents, the desktop entry,
# the MIME type of the saves, the icons and the AppStream data, each validated. Nothing outside
# the temporary prefix is read as configuration or changed.
# Usage: scripts/check-install.sh BUILD_DIR [FOLDER_OF_REAL_SAVES]
set -euo pipefail
build=${1:?usage: check-install.sh BUILD_DIR [FOLDER_OF_REAL_SAVES]}
real_saves=${2:-}
id=net.vek5.SaveAnalyser
mime_type=application/x-vek5-save

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
fail() { echo "check-install: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" > /dev/null

expected=(
  bin/vek5
  bin/vek5-analyser
  share/man/man1/vek5.1.gz
  share/man/man1/vek5-analyser.1.gz
  share/bash-completion/completions/vek5
  share/doc/vek5/copyright
  share/doc/vek5/changelog.gz
  share/doc/vek5-analyser/copyright
  share/doc/vek5-analyser/changelog.gz
  "share/applications/$id.desktop"
  "share/metainfo/$id.metainfo.xml"
  "share/mime/packages/$id.xml"
  "share/icons/hicolor/scalable/apps/$id.svg"
)
for size in 16 24 32 48 64 128 256; do
  expected+=("share/icons/hicolor/${size}x${size}/apps/$id.png")
done
for file in "${expected[@]}"; do
  [ -s "$prefix/$file" ] || fail "$file is not installed"
done
[ "$(find "$prefix" -type f | wc -l)" -eq "${#expected[@]}" ] ||
  fail "unexpected files installed: $(find "$prefix" -type f | sort)"

# The programs run from the prefix; the command-line tool links no toolkit.
"$prefix/bin/vek5" --version | grep -q '^vek5 ' || fail "vek5 --version"
if ldd "$prefix/bin/vek5" | grep -qi 'libQt'; then fail "vek5 links Qt"; fi

# Each PNG is a PNG of its nominal size (width and height in the IHDR chunk).
for size in 16 24 32 48 64 128 256; do
  png=$prefix/share/icons/hicolor/${size}x${size}/apps/$id.png
  header=$(od -An -tx1 -j0 -N24 "$png" | tr -d ' \n')
  [ "${header:0:16}" = 89504e470d0a1a0a ] || fail "$png is not a PNG"
  [ $((16#${header:32:8})) -eq "$size" ] && [ $((16#${header:40:8})) -eq "$size" ] ||
    fail "$png is not ${size}x${size}"
done

desktop-file-validate "$prefix/share/applications/$id.desktop" | { grep -v ': hint: ' || true; }
desktop-file-validate "$prefix/share/applications/$id.desktop" > /dev/null ||
  fail "desktop entry invalid"
grep -qx "MimeType=$mime_type;" "$prefix/share/applications/$id.desktop" || fail "MimeType"
grep -qx 'Exec=vek5-analyser %f' "$prefix/share/applications/$id.desktop" || fail "Exec"
appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml" > "$work/appstream.log" ||
  { cat "$work/appstream.log" >&2; fail "metainfo invalid"; }

# The MIME database of the prefix alone: a save is known by its first bytes, and by its
# extension in any letter case.
update-mime-database "$prefix/share/mime" 2> "$work/mime.log" ||
  { cat "$work/mime.log" >&2; fail "update-mime-database"; }
printf 'VEK5\010\0\0\0' > "$work/game.bin"
printf 'not a save\n' > "$work/Other.VEK5SAVE"
printf 'not a save\n' > "$work/other.vek5save"
samples=("$work/game.bin" "$work/Other.VEK5SAVE" "$work/other.vek5save")
if [ -n "$real_saves" ] && [ -d "$real_saves" ]; then
  samples+=("$real_saves"/*.Vek5Save)
fi
for file in "${samples[@]}"; do
  found=$(env -u XDG_CONFIG_HOME XDG_DATA_HOME="$work/home" XDG_DATA_DIRS="$prefix/share" \
    XDG_CURRENT_DESKTOP=GNOME xdg-mime query filetype "$file" 2> /dev/null)
  [ "$found" = "$mime_type" ] || fail "$(basename "$file") is '$found', not $mime_type"
done
echo "check-install: all installed files present and valid"
