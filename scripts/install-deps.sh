#!/usr/bin/env bash
# Installs the Debian 12 packages one task needs, skipping those already present. Works as root
# or through sudo.
#   install-deps.sh run      build and run the two programs (`make run`)
#   install-deps.sh test     run, plus what the tests use (`make test`, `make test-asan`)
#   install-deps.sh fuzz     run, plus clang and libFuzzer (`make fuzz`)
#   install-deps.sh format   the format check (`make format`, `make format-check`)
#   install-deps.sh deb      run, plus the Debian package tools (`make deb`)
#   install-deps.sh --list TASK   prints the packages of TASK and installs nothing
set -euo pipefail

run=(
  cmake ninja-build g++ make pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite qt6-charts-dev libqt6svg6
  libqt6opengl6-dev qt6-translations-l10n
  qt6-qpa-plugins libgl-dev libxrandr-dev
  fonts-wqy-microhei
)
# The Xrandr window test and the installed-program check run under xvfb-run (the latter finds
# its window with xwininfo); the print tests read PDFs back with pdftotext; the sqlite3 shell is
# for looking into a test's database by hand.
# The screen-mode test switches modes on Xorg's dummy driver, an X server with several modes.
test=(xvfb xauth x11-utils poppler-utils sqlite3 xserver-xorg-core xserver-xorg-video-dummy)
fuzz=(clang libclang-rt-14-dev llvm-14)
format=(clang-format)
deb=(dpkg-dev debhelper lintian desktop-file-utils appstream librsvg2-bin)

packages_of() {
  case "$1" in
    run) printf '%s\n' "${run[@]}" ;;
    test) printf '%s\n' "${run[@]}" "${test[@]}" ;;
    fuzz) printf '%s\n' "${run[@]}" "${fuzz[@]}" ;;
    format) printf '%s\n' "${format[@]}" ;;
    deb) printf '%s\n' "${run[@]}" "${deb[@]}" ;;
    *) echo "usage: $0 [--list] run|test|fuzz|format|deb" >&2; return 2 ;;
  esac
}

if [ "${1:-}" = "--list" ]; then
  packages_of "${2:-}"
  exit
fi

listed=$(packages_of "${1:-}") || exit 2
mapfile -t packages <<<"$listed"

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
