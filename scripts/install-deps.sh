#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the tests and the program need,
# skipping those already present. Works as root or through sudo.
set -euo pipefail

packages=(
  cmake ninja-build g++ make pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite qt6-charts-dev libqt6svg6
  libqt6opengl6-dev qt6-translations-l10n
  qt6-qpa-plugins libgl-dev libxrandr-dev
  xvfb xauth fonts-wqy-microhei poppler-utils sqlite3
  clang libclang-rt-14-dev llvm-14
  xserver-xorg-core xserver-xorg-video-dummy # TEST: a several-mode X server for screen-mode switches
)

# --list prints the packages and installs nothing (the set-up test reads it).
if [ "${1:-}" = "--list" ]; then
  printf '%s\n' "${packages[@]}"
  exit 0
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
  SUDO=""
elif command -v sudo >/dev/null 2>&1; then
  SUDO="sudo"
else
  echo "Missing packages (${missing[*]}) and neither root nor sudo is available." >&2
  exit 1
fi
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
