#!/usr/bin/env bash
# A screen reader's view of kestrafo: the real program under Xvfb on a
# private session bus, driven through AT-SPI by atspi_client.py.
#
#   run_atspi.sh PROGRAM
# Exit status 77: a tool is missing (scripts/setup.sh installs them).
set -euo pipefail
export LC_ALL=C.UTF-8
program=${1:?usage: run_atspi.sh PROGRAM}
program=$(cd "$(dirname "$program")" && pwd)/$(basename "$program")
here=$(cd "$(dirname "$0")" && pwd)

for tool in Xvfb dbus-run-session timeout; do
    command -v "$tool" >/dev/null || { echo "SKIP: missing tool $tool"; exit 77; }
done
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || { echo "SKIP: /usr/bin/python3 has no pyatspi (python3-pyatspi)"; exit 77; }

if [ -z "${KESTRAFO_ATSPI_INNER:-}" ]; then
    # Everything below runs inside its own session bus, which ends with it.
    KESTRAFO_ATSPI_INNER=1 exec timeout -k 5 240 dbus-run-session -- bash "$0" "$program"
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/kestrafo-atspi.XXXXXX")
xvfb_pid=""
cleanup() {
    [ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

fifo="$work/displayfd"
mkfifo "$fifo"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$fifo" >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
read -r -t 15 number <"$fifo" || { echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$number"
unset WAYLAND_DISPLAY
export NO_AT_BRIDGE=0 GTK_A11Y=atspi

mkdir -p "$work/home"
HOME="$work/home" QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 \
    timeout -k 5 200 /usr/bin/python3 "$here/atspi_client.py" "$program" "$work/home"
