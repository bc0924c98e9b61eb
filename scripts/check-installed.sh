#!/usr/bin/env bash
# Runs the installed programs under ROOT (an unpacked package, or a `cmake --install` into
# ROOT/usr) the way a new player meets them, with a temporary HOME:
# - `ravelko-cli info` before any database exists refuses and names the database it looked for
#   in that HOME's data folder, creating nothing;
# - `ravelko-cli import --shipped` creates it there and brings the 983 draws of the 2020s from
#   ROOT/usr/share/ravelko;
# - the desktop entry's Exec line, run under Xvfb, shows the welcome window;
# - nothing is written under ROOT.
# usage: check-installed.sh ROOT
set -euo pipefail
root=$(cd "$1" && pwd)
bin=$root/usr/bin
desktop=$root/usr/share/applications/org.ravelko.Ravelko.desktop
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export HOME=$work/home
mkdir -p "$HOME"
unset XDG_DATA_HOME XDG_CONFIG_HOME XDG_RUNTIME_DIR SSQ_BACKUP_DIR QT_QPA_PLATFORM
export PATH=$bin:$PATH
find "$root" | sort >"$work/before"

fail() {
  echo "FAILED: $*" >&2
  exit 1
}

db=$HOME/.local/share/ravelko/ssq.mdb
status=0
info=$(ravelko-cli info 2>&1) || status=$?
[ "$status" = 3 ] && grep -qF "数据库文件“$db”不存在" <<<"$info" ||
  fail "ravelko-cli info without a database (exit $status): $info"
[ ! -e "$db" ] || fail "ravelko-cli info created $db"

imported=$(ravelko-cli import --shipped 2>&1) || fail "ravelko-cli import --shipped: $imported"
[ -f "$db" ] || fail "$db was not created"
info=$(ravelko-cli info 2>&1) || fail "ravelko-cli info: $info"
grep -qx "数据库: $db" <<<"$info" || fail "ravelko-cli info names another database: $info"
grep -qx "开奖记录: 983" <<<"$info" && grep -qx "最早期号: 1" <<<"$info" ||
  fail "after import --shipped: $info"
echo "ravelko-cli: $db, 983 draws from 2020001 imported from $root/usr/share/ravelko"

# The program as the menu starts it, on a real (virtual) X display; the welcome window's title
# (followed by the clock) shows.
[ -f "$desktop" ] || fail "no desktop entry $desktop"
exec_line=$(sed -n 's/^Exec=//p' "$desktop")
title=欢迎使用Ravelko2.2
XVFB_COMMAND=$exec_line TITLE=$title xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
  $XVFB_COMMAND >"$HOME/gui.log" 2>&1 &
  pid=$!
  for _ in $(seq 240); do
    if xwininfo -root -tree | grep -qF "\"$TITLE"; then
      kill "$pid"; wait "$pid" 2>/dev/null; exit 0
    fi
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.25
  done
  kill "$pid" 2>/dev/null; cat "$HOME/gui.log" >&2; exit 1' ||
  fail "'$exec_line' did not show the window \"$title\""
echo "$exec_line: the welcome window \"$title\" shows"

find "$root" | sort >"$work/after"
diff "$work/before" "$work/after" >&2 || fail "the programs wrote under $root"
