#!/bin/sh
# Installs the Debian packages that building, running and testing kestrafo
# need, and nothing when they are all present.
set -eu

packages="cmake make g++ qt6-base-dev libgl-dev fonts-liberation \
xvfb xauth xdotool xclip x11-utils fiu-utils \
dpkg-dev file binutils lintian desktop-file-utils appstream \
dbus at-spi2-core python3 python3-pyatspi locales chromium"

missing=""
for p in $packages; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $p"
    fi
done

if [ "$(id -u)" -eq 0 ]; then
    sudo=""
else
    sudo="sudo"
fi

if [ -n "$missing" ]; then
    echo "Installing:$missing"
    $sudo apt-get update
    # shellcheck disable=SC2086
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends $missing
fi

# The tests read and write numbers once more under a locale with a decimal
# comma.
if ! locale -a 2>/dev/null | grep -qix 'de_DE\.utf-\?8'; then
    echo "Generating the locale de_DE.UTF-8"
    $sudo localedef -i de_DE -c -f UTF-8 de_DE.UTF-8 ||
        echo "Could not generate de_DE.UTF-8: the decimal-comma runs of the tests will skip"
fi
