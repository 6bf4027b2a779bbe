#!/bin/sh
# Runs a Windows test program under Wine. QtTest's output does not reach a
# pipe there, so it goes to a file that is shown afterwards.
set -u
program=${1:?usage: wine_run.sh PROGRAM [ARGUMENTS...]}
shift
: "${WINEPREFIX:?the Wine prefix of the tests}"
export WINEDEBUG=-all
# The prefix's c:\kestrafo belongs to the tests, which run one at a time; a
# test that ended early may have left one behind.
rm -rf "$WINEPREFIX/drive_c/kestrafo"
out=$(mktemp "${TMPDIR:-/tmp}/kestrafo-wine.XXXXXX")
status=0
/usr/lib/wine/wine64 "$program" "$@" -o "Z:$out,txt" || status=$?
cat "$out"
rm -f "$out"
exit "$status"
