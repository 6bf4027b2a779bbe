#!/bin/sh
# Renders the three coordinate graphs, as the left picture box shows them,
# into docs/figures/graph1.png, graph2.png and graph3.png. Builds in
# $BUILD_DIR (default: build) and draws offscreen, so it needs no display.
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-build}
case $build in
/*) ;;
*) build=$root/$build ;;
esac

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target render_figures -j 2 >/dev/null
QT_QPA_PLATFORM=offscreen "$build/render_figures" "$root/docs/figures"
echo "Wrote $root/docs/figures/graph1.png, graph2.png and graph3.png"
