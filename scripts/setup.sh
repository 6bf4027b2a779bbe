#!/bin/sh
# Installs the Debian packages that building, running and testing kestrafo
# need, and nothing when they are all present.
set -eu

packages="cmake make g++ qt6-base-dev libgl-dev fonts-liberation \
xvfb xauth xdotool xclip x11-utils fiu-utils chromium"

missing=""
for p in $packages; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $p"
    fi
done

[ -z "$missing" ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
    sudo=""
else
    sudo="sudo"
fi

echo "Installing:$missing"
$sudo apt-get update
# shellcheck disable=SC2086
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends $missing
