#!/usr/bin/env bash
# Checks the bash completion of vek5 as bash-completion runs it.
# Usage: scripts/check-completion.sh COMPLETION_FILE FOLDER_OF_VEK5 "COMMANDS"
set -euo pipefail
completion=${1:?usage: check-completion.sh COMPLETION_FILE FOLDER_OF_VEK5 COMMANDS}
export PATH=$2:$PATH
commands=$3
fail() { echo "check-completion: $*" >&2; exit 1; }

# bash-completion reads unset variables and returns non-zero from its helpers.
set +eu
source /usr/share/bash-completion/bash_completion
source "$completion"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" && mkdir folder && touch game.Vek5Save OTHER.VEK5SAVE notes.txt map.PNG

# Completes the last word of the given line; prints the candidates sorted, on one line.
complete_line() {
  COMP_WORDS=("$@")
  COMP_CWORD=$(($# - 1))
  COMP_LINE="$*"
  COMP_POINT=${#COMP_LINE}
  COMPREPLY=()
  _vek5
  printf '%s\n' "${COMPREPLY[@]}" | sort | xargs
}

expect() {
  local want=$1
  shift
  local got
  got=$(complete_line "$@")
  [ "$got" = "$want" ] || fail "'$*': got '$got', expected '$want'"
}

expect "$(printf '%s\n' $commands | sort | xargs)" vek5 ""
expect "--help --version" vek5 --
expect "summary" vek5 sum
expect "--format --help" vek5 summary --
expect "csv html json text" vek5 summary --format ""
expect "OTHER.VEK5SAVE folder game.Vek5Save" vek5 report ""
expect "OTHER.VEK5SAVE folder game.Vek5Save" vek5 summary --format csv folder ""
expect "OTHER.VEK5SAVE folder game.Vek5Save map.PNG notes.txt" vek5 export-image game.Vek5Save ""
expect "folder map.PNG" vek5 map game.Vek5Save -o ""
echo "check-completion: commands, options and saves complete"
