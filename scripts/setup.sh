#!/usr/bin/env bash
# Installs the Debian packages Tolvane needs to build, run and test, and
# nothing when they are all present. Without root it prints the command.
set -euo pipefail

packages=(
  build-essential cmake ninja-build clang libclang-rt-14-dev
  qt6-base-dev qt6-base-dev-tools qt6-multimedia-dev
  libx11-dev libbenchmark-dev
  xvfb xauth xdotool x11-utils imagemagick openbox
  pulseaudio pulseaudio-utils
  fontconfig fonts-liberation2 fonts-comic-neue
  desktop-file-utils appstream lintian dpkg-dev man-db librsvg2-bin
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

[ ${#missing[@]} -eq 0 ] && exit 0

cmd=(apt-get install -y --no-install-recommends "${missing[@]}")
if [ "$(id -u)" -ne 0 ]; then
  echo "Tolvane needs these Debian packages: ${missing[*]}"
  echo "Run as root:  apt-get update && ${cmd[*]}"
  exit 1
fi

export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
"${cmd[@]}"
