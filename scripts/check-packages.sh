#!/usr/bin/env bash
# Builds the two Debian packages of a build (vek5 and vek5-analyser) into a temporary folder and
# checks them as a packager would: lintian clean at its default level, the command-line tool's
# package free of the toolkit, the window's package tied to the tool's version, and the manual
# pages and the bash completion in place and working.
# Usage: scripts/check-packages.sh BUILD_DIR
set -euo pipefail
build=$(realpath "${1:?usage: check-packages.sh BUILD_DIR}")
source_dir=$(realpath "$(dirname "$0")/..")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "check-packages: $*" >&2; exit 1; }

cpack -G DEB -B "$work" --config "$build/CPackConfig.cmake" > "$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log" >&2; fail "cpack"; }
tool=$(echo "$work"/vek5_*.deb)
window=$(echo "$work"/vek5-analyser_*.deb)
[ -f "$tool" ] && [ -f "$window" ] || fail "cpack did not make both packages: $(ls "$work")"
version=$(dpkg-deb -f "$tool" Version)

# lintian warns when run as root, which CI is; only its findings count.
lintian --fail-on error,warning "$tool" "$window" 2>&1 | grep -v 'root privileges' |
  tee "$work/lintian.log" || true
! grep -q '^[EW]: ' "$work/lintian.log" || fail "lintian reports errors or warnings"
lintian --fail-on error,warning "$tool" "$window" > /dev/null 2>&1 || fail "lintian failed"

depends=$(dpkg-deb -f "$tool" Depends)
if grep -qi 'qt' <<< "$depends"; then fail "vek5 depends on the toolkit: $depends"; fi
dpkg-deb -f "$window" Depends | grep -q "vek5 (= $version)" ||
  fail "vek5-analyser does not depend on vek5 (= $version): $(dpkg-deb -f "$window" Depends)"

contents() { dpkg-deb -c "$1" | awk '{ print $6 }' | sed 's|^\./|/|'; }
for file in /usr/bin/vek5 /usr/share/man/man1/vek5.1.gz /usr/share/bash-completion/completions/vek5 \
  /usr/share/doc/vek5/copyright /usr/share/doc/vek5/changelog.gz; do
  contents "$tool" | grep -qx "$file" || fail "vek5 lacks $file"
done
for file in /usr/bin/vek5-analyser /usr/share/man/man1/vek5-analyser.1.gz \
  /usr/share/doc/vek5-analyser/copyright /usr/share/applications/net.vek5.SaveAnalyser.desktop; do
  contents "$window" | grep -qx "$file" || fail "vek5-analyser lacks $file"
done
if contents "$window" | grep -q '/usr/bin/vek5$'; then fail "both packages hold /usr/bin/vek5"; fi

# The manual pages hold every command the tool's help names.
dpkg-deb -x "$tool" "$work/root"
page=$(zcat "$work/root/usr/share/man/man1/vek5.1.gz")
commands=$("$build/src/cli/vek5" --help | sed -n '/^Subcommands:$/,/^$/p' | awk 'NR > 1 && NF { print $1 }')
for command in $commands; do
  grep -q "^\.SS \"$command\"" <<< "$page" || fail "the manual page lacks the command $command"
done

# The completion, as bash-completion loads it, completes commands, forms and saves.
bash "$source_dir/scripts/check-completion.sh" \
  "$work/root/usr/share/bash-completion/completions/vek5" "$build/src/cli" "$commands"
echo "check-packages: vek5 and vek5-analyser $version built, lintian clean"
