#!/usr/bin/env bash
# Installs the Debian packages Tolvane needs, and nothing when they are all
# present. Without root it prints the command.
#
#   setup.sh run    what building and running the program need (make run)
#   setup.sh test   that and the tools of the tests, benchmarks and package
#                   checks (make test; the default)
set -euo pipefail

# Building and playing: the compiler and Qt, the sound server's client
# library, Qt's Wayland platform and its translations, the fonts the windows
# are drawn with.
run_packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libpulse-dev libx11-dev
  qt6-wayland qt6-translations-l10n
  fontconfig fonts-liberation2 fonts-comic-neue
)
# Testing: the fuzzers and sanitizers, the benchmarks, Qt Designer's plugin
# interface, private X, Wayland and sound servers with a window manager and
# the tools that drive and photograph them, and the validators of the
# installed files and package.
test_packages=(
  clang libclang-rt-14-dev libbenchmark-dev qt6-tools-dev
  xvfb xauth xdotool x11-utils imagemagick weston openbox
  pulseaudio pulseaudio-utils
  desktop-file-utils appstream lintian dpkg-dev man-db librsvg2-bin
)

case ${1:-test} in
run) packages=("${run_packages[@]}") ;;
test) packages=("${run_packages[@]}" "${test_packages[@]}") ;;
*) echo "usage: $0 [run|test]" >&2; exit 2 ;;
esac

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
