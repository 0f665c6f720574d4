#!/usr/bin/env bash
# Installs the Debian packages the analyser needs to build, test and run, and any further
# packages named as arguments (the fuzz smoke passes its compiler).
# Idempotent: when everything is present it only checks and returns.
set -euo pipefail

packages=(
  g++ cmake ninja-build clang-format
  zlib1g-dev libisal-dev libfmt-dev libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev qt6-charts-dev libqt6opengl6-dev qt6-svg-dev
  libcli11-dev libcairo2-dev libfontconfig-dev libpng-dev pkg-config
  libssl-dev
  librsvg2-bin
  desktop-file-utils appstream shared-mime-info xdg-utils libglib2.0-bin
  dpkg-dev fakeroot lintian help2man bash-completion
  xvfb xauth
  "$@"
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
