#!/usr/bin/env bash
# Makes the Debian package and asks lintian and appstreamcli what Debian and the software centres
# would say of it: no error, warning or pedantic remark from lintian, a valid metainfo file.
#   checkpackage.sh <build dir>      (exit 77: the tools are not installed)
set -euo pipefail
build=$(cd "$1" && pwd)
command -v lintian >/dev/null && command -v appstreamcli >/dev/null || { echo "lintian or appstreamcli missing"; exit 77; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$work" && cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work" >/dev/null)
deb=$(ls "$work"/taluno_*.deb)
verdict=$(lintian -EvIL +pedantic "$deb" 2>&1 | grep -E '^[EWP]: ' || true)
if [ -n "$verdict" ]; then
    echo "FAIL: lintian says:"; echo "$verdict"; exit 1
fi
# The QR codes of lesson links are drawn by libqrencode, which the package must bring.
dpkg-deb -f "$deb" Depends | grep -q 'libqrencode4' || { echo "FAIL: the package does not depend on libqrencode4"; exit 1; }
dpkg-deb -x "$deb" "$work/tree"
appstreamcli validate --pedantic --no-net "$work"/tree/usr/share/metainfo/*.metainfo.xml
echo "lintian and appstreamcli accept $(basename "$deb")"
