#!/usr/bin/env bash
# Checks a built package: lintian (an error fails; warnings are listed), the desktop entry and
# the AppStream metainfo validated, then its programs run from the unpacked package with a
# temporary HOME (scripts/check-installed.sh).
#   scripts/check-package.sh PACKAGE.deb
set -euo pipefail
deb=$1
source_dir=$(cd "$(dirname "$0")/.." && pwd)

echo "== lintian $deb"
lintian --fail-on error --tag-display-limit 0 "$deb"

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root"

echo "== desktop entry and metainfo"
desktop-file-validate "$root/usr/share/applications/org.ravelko.Ravelko.desktop"
appstreamcli validate --no-net "$root/usr/share/metainfo/org.ravelko.Ravelko.metainfo.xml"

echo "== the unpacked programs"
"$source_dir/scripts/check-installed.sh" "$root"
