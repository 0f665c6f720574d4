#!/usr/bin/env bash
# Writes a program's manual page, gzipped, from the program's own --help and the --help of each
# of its commands, so the page cannot drift from what the program says of itself.
# Usage: make-manpage.sh PROGRAM VERSION "WHAT IT DOES" OUT.1.gz
set -euo pipefail
program=${1:?usage: make-manpage.sh PROGRAM VERSION DESCRIPTION OUT}
version=${2:?} description=${3:?} out=${4:?}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Each command's own help under its name, without the footer the tool repeats after every help;
# backslashes and leading dots would be read as roff.
commands=$("$program" --help | sed -n '/^Subcommands:$/,/^$/p' | awk 'NR > 1 && NF { print $1 }')
options=()
if [ -n "$commands" ]; then
  {
    echo "[COMMANDS]"
    for command in $commands; do
      echo ".SS \"$command\""
      echo ".nf"
      "$program" "$command" --help | sed -e '/^Exit status:/,$d' -e 's/\\/\\e/g' \
        -e "s/^\([.']\)/\\\\\&\1/"
      echo ".fi"
    done
  } > "$work/commands.h2m"
  options+=(--include="$work/commands.h2m")
fi
help2man --no-info --version-string="$version" --name="$description" "${options[@]}" \
  --output="$work/page" "$program"
gzip -9n < "$work/page" > "$out"
