#!/bin/sh
# Makes the Wine prefix of the Windows tests from nothing, so that nothing of
# an earlier run is left in it.
set -eu
prefix=${1:?usage: wine_prefix.sh PREFIX}
rm -rf "$prefix"
mkdir -p "$prefix"
export WINEPREFIX="$prefix" WINEDEBUG=-all
# No offer to install Mono or Gecko: the programs need neither.
export WINEDLLOVERRIDES="mscoree,mshtml="
/usr/lib/wine/wine64 wineboot --init
/usr/lib/wine/wineserver -w
test -d "$prefix/drive_c/windows/system32"
echo "Wine prefix ready: $prefix"
