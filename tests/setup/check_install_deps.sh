#!/usr/bin/env bash
# A bare Debian 12 gets everything from the install script: every CMake package the build found
# and every file the program and the tests use at run time must belong to a package that the
# script installs or that those packages depend on (recommended packages are not installed).
# usage: check_install_deps.sh INSTALL_SCRIPT CMAKE_CACHE
set -uo pipefail
script=$1
cache=$2

listed=$("$script" --list) || { echo "the install script cannot list its packages"; exit 1; }
# shellcheck disable=SC2086
closure=$(apt-cache depends --recurse --no-recommends --no-suggests --no-conflicts --no-breaks \
            --no-replaces --no-enhances $listed 2>/dev/null |
          sed -n 's/^ *[|]\{0,1\}\(Pre\)\{0,1\}Depends: //p; /^[^ ]/p' | tr -d '<>' | sort -u)
[ -n "$closure" ] || { echo "apt-cache gives no dependencies"; exit 1; }

needed=()
# The config file of every package CMake recorded.
while IFS= read -r dir; do
  for f in "$dir"/*Config.cmake "$dir"/*-config.cmake; do
    [ -f "$f" ] && { needed+=("$f"); break; }
  done
done < <(sed -n 's/^[A-Za-z0-9_]*_DIR:PATH=\(\/.*\)$/\1/p' "$cache")

# What runs without CMake knowing: Qt plugins, translations, the Chinese font, test tools.
plugins=$(qtpaths6 --query QT_INSTALL_PLUGINS 2>/dev/null || echo /usr/lib/x86_64-linux-gnu/qt6/plugins)
translations=$(qtpaths6 --query QT_INSTALL_TRANSLATIONS 2>/dev/null || echo /usr/share/qt6/translations)
needed+=("$plugins/sqldrivers/libqsqlite.so" "$plugins/platforms/libqxcb.so"
         "$plugins/platforms/libqoffscreen.so" "$translations/qtbase_zh_CN.qm"
         /usr/share/fonts/truetype/wqy/wqy-microhei.ttc /usr/bin/xvfb-run /usr/bin/pdftotext
         /usr/bin/ninja /usr/bin/cmake /usr/lib/xorg/Xorg /usr/lib/xorg/modules/drivers/dummy_drv.so)

failures=0
checked=0
for f in "${needed[@]}"; do
  owner=$(dpkg -S "$(readlink -f "$f")" 2>/dev/null | head -n 1 | cut -d: -f1)
  [ -n "$owner" ] || owner=$(dpkg -S "$f" 2>/dev/null | head -n 1 | cut -d: -f1)
  if [ -z "$owner" ]; then
    echo "MISSING: $f is not installed by any package"
    failures=$((failures + 1))
  elif ! grep -qx "$owner" <<<"$closure"; then
    echo "MISSING: $f comes from $owner, which the install script does not bring"
    failures=$((failures + 1))
  fi
  checked=$((checked + 1))
done
echo "$checked files checked, $failures missing"
[ "$failures" -eq 0 ]
