#!/usr/bin/env bash
# A bare Debian 12 gets from the install script what each task needs, and no more for `make run`:
# - every CMake package the build found and every file the programs use at run time belongs to
#   a package of the `run` task or to one those packages depend on (recommends are not installed);
# - the tools of the tests, the fuzz build, the format check and the package build come with
#   their own task and are not installed by `run`;
# - every package debian/control names as a build dependency comes with the `deb` task.
# Tools of a task that is not installed here (clang before `make fuzz`) are skipped, not failed.
# usage: check_install_deps.sh INSTALL_SCRIPT CMAKE_CACHE DEBIAN_CONTROL
set -uo pipefail
script=$1
cache=$2
control=$3

# The packages a task installs, with everything they depend on. Every task but format builds on
# `run`, so its closure is that of `run` plus that of its own packages.
depends_closure() {
  # shellcheck disable=SC2086
  apt-cache depends --recurse --no-recommends --no-suggests --no-conflicts --no-breaks \
    --no-replaces --no-enhances "$@" 2>/dev/null |
    sed -n 's/^ *[|]\{0,1\}\(Pre\)\{0,1\}Depends: //p; /^[^ ]/p' | tr -d '<>' | sort -u
}
list() {
  "$script" --list "$1" || { echo "the install script cannot list task $1" >&2; exit 1; }
}
declare -A closures
run_packages=$(list run)
# shellcheck disable=SC2086
closures[run]=$(depends_closure $run_packages)
for task in test fuzz format deb; do
  own=$(comm -13 <(sort <<<"$run_packages") <(list "$task" | sort))
  # shellcheck disable=SC2086
  closures[$task]=$(depends_closure $own)
  if [ "$task" != format ]; then
    closures[$task]=$(sort -u <(printf '%s\n' "${closures[$task]}") <(printf '%s\n' "${closures[run]}"))
  fi
done
for task in run test fuzz format deb; do
  [ -n "${closures[$task]}" ] || { echo "apt-cache gives no dependencies for task $task"; exit 1; }
done

failures=0
checked=0
fail() {
  echo "MISSING: $*"
  failures=$((failures + 1))
}

owner_of() {
  local owner
  owner=$(dpkg -S "$(readlink -f "$1")" 2>/dev/null | head -n 1 | cut -d: -f1)
  [ -n "$owner" ] || owner=$(dpkg -S "$1" 2>/dev/null | head -n 1 | cut -d: -f1)
  echo "$owner"
}

# need TASK FILE [optional]: FILE comes with TASK; unless TASK is run, `run` alone does not bring it.
need() {
  local task=$1 file=$2 optional=${3:-} owner
  if [ -n "$optional" ] && [ ! -e "$file" ]; then
    return
  fi
  checked=$((checked + 1))
  owner=$(owner_of "$file")
  if [ -z "$owner" ]; then
    fail "$file is not installed by any package"
  elif ! grep -qx "$owner" <<<"${closures[$task]}"; then
    fail "$file comes from $owner, which the install script's task '$task' does not bring"
  elif [ "$task" != run ] && grep -qx "$owner" <<<"${closures[run]}"; then
    echo "TOO MUCH: $file ($owner) is only for '$task' but 'run' installs it"
    failures=$((failures + 1))
  fi
}

# The config file of every package CMake recorded.
while IFS= read -r dir; do
  for f in "$dir"/*Config.cmake "$dir"/*-config.cmake; do
    [ -f "$f" ] && { need run "$f"; break; }
  done
done < <(sed -n 's/^[A-Za-z0-9_]*_DIR:PATH=\(\/.*\)$/\1/p' "$cache")

# What the programs use without CMake knowing: Qt plugins, translations, the Chinese font.
plugins=$(qtpaths6 --query QT_INSTALL_PLUGINS 2>/dev/null || echo /usr/lib/x86_64-linux-gnu/qt6/plugins)
translations=$(qtpaths6 --query QT_INSTALL_TRANSLATIONS 2>/dev/null || echo /usr/share/qt6/translations)
for f in "$plugins/sqldrivers/libqsqlite.so" "$plugins/platforms/libqxcb.so" \
         "$plugins/platforms/libqoffscreen.so" "$translations/qtbase_zh_CN.qm" \
         /usr/share/fonts/truetype/wqy/wqy-microhei.ttc /usr/bin/ninja /usr/bin/cmake; do
  need run "$f"
done

# Each task's own tools.
need test /usr/bin/xvfb-run
need test /usr/bin/xauth
need test /usr/bin/xwininfo
need test /usr/bin/pdftotext
need test /usr/lib/xorg/Xorg
need test /usr/lib/xorg/modules/drivers/dummy_drv.so
need fuzz /usr/bin/clang++ optional
need fuzz /usr/bin/llvm-symbolizer optional
for f in /usr/lib/llvm-14/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a; do
  need fuzz "$f" optional
done
need format /usr/bin/clang-format optional
for f in /usr/bin/dpkg-buildpackage /usr/bin/dh /usr/bin/lintian /usr/bin/desktop-file-validate \
         /usr/bin/appstreamcli /usr/bin/rsvg-convert; do
  need deb "$f" optional
done

# The package's build dependencies, by name (version constraints and alternatives dropped).
build_depends=$(sed -n '/^Build-Depends:/,/^[A-Za-z-]*:/{/^Build-Depends:/{s/^Build-Depends://;p;d};/^ /p}' "$control" |
                tr ',|' '\n\n' | sed 's/[[(<].*//; s/^ *//; s/ *$//; s/^debhelper-compat$/debhelper/' |
                grep -v '^$')
[ -n "$build_depends" ] || fail "no Build-Depends in $control"
while IFS= read -r p; do
  checked=$((checked + 1))
  grep -qx "$p" <<<"${closures[deb]}" ||
    fail "build dependency $p of debian/control is not brought by the install script's task 'deb'"
done <<<"$build_depends"

echo "$checked files and packages checked, $failures problems"
[ "$failures" -eq 0 ]
