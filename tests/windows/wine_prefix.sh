#!/bin/sh
# Makes a Wine prefix from nothing, so that nothing of an earlier run is left
# in it.
#
#   wine_prefix.sh PREFIX [QT_PLATFORM]
#
# Wine passes no QT_ variable of Linux on to Windows programs, so a Qt
# platform plugin for the prefix's programs (offscreen, for the headless
# tests) goes into the prefix's own environment instead. The offscreen
# plugin of Windows reads its fonts from a folder: it gets the Linux tests'
# default sans-serif font, so that text takes the same pixels on both.
set -eu
prefix=${1:?usage: wine_prefix.sh PREFIX [QT_PLATFORM]}
platform=${2:-}
rm -rf "$prefix"
mkdir -p "$prefix"
export WINEPREFIX="$prefix" WINEDEBUG=-all
# No offer to install Mono or Gecko: the programs need neither.
export WINEDLLOVERRIDES="mscoree,mshtml="
/usr/lib/wine/wine64 wineboot --init
if [ -n "$platform" ]; then
    /usr/lib/wine/wine64 reg add 'HKCU\Environment' /v QT_QPA_PLATFORM /d "$platform" /f
    mkdir -p "$prefix/drive_c/fonts"
    for style in regular bold italic bold:italic; do
        cp "$(fc-match -f '%{file}' "sans-serif:$style")" "$prefix/drive_c/fonts/"
    done
    /usr/lib/wine/wine64 reg add 'HKCU\Environment' /v QT_QPA_FONTDIR /d 'c:\fonts' /f
fi
/usr/lib/wine/wineserver -w
test -d "$prefix/drive_c/windows/system32"
echo "Wine prefix ready: $prefix"
