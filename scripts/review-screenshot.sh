#!/bin/sh
# Retakes docs/review-report.png: the record files of a small class, written
# by the tutor's own commands (build/write_sample_sessions), summarised by
# build/kestrafo-review and the page shot in headless Chromium.
set -eu
cd "$(dirname "$0")/.."
build=${1:-build}
command -v chromium >/dev/null || { echo "needs chromium: apt-get install chromium" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$build/write_sample_sessions" "$work/class"
status=0
"$build/kestrafo-review" --html "$work/report.html" "$work/class" >/dev/null || status=$?
# The class holds one file cut short by a mailer: status 1 is expected.
[ "$status" -le 1 ] || exit "$status"
chromium --headless --no-sandbox --disable-gpu --no-first-run --disable-background-networking \
    --disable-component-update --disable-sync --user-data-dir="$work/profile" \
    --hide-scrollbars --window-size=1100,1500 --screenshot="$work/report.png" \
    "file://$work/report.html" 2>/dev/null
mv "$work/report.png" docs/review-report.png
echo "docs/review-report.png"
