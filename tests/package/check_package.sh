#!/usr/bin/env bash
# Builds the Debian package from the install rules into a temporary folder
# and checks it as a lab administrator would meet it: lintian without
# errors, a hardened and stripped program without RUNPATH, and the unpacked
# program starting under Xvfb up to its first prompt.
#
#   check_package.sh BUILD_DIR
# Exit status 77: a tool is missing (scripts/setup.sh installs them).
set -euo pipefail
export LC_ALL=C
build=${1:?usage: check_package.sh BUILD_DIR}

for tool in cpack lintian dpkg-deb dpkg-shlibdeps readelf file Xvfb xdotool timeout; do
    command -v "$tool" >/dev/null || { echo "SKIP: missing tool $tool (scripts/setup.sh installs it)"; exit 77; }
done

work=$(mktemp -d "${TMPDIR:-/tmp}/kestrafo-package.XXXXXX")
xvfb_pid=""
app_pid=""
cleanup() {
    [ -z "$app_pid" ] || kill "$app_pid" 2>/dev/null || true
    [ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

timeout 600 cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log" >&2; fail "cpack did not build the package"; }
version=$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' "$build/CPackConfig.cmake")
deb="$work/out/kestrafo_${version}_$(dpkg --print-architecture).deb"
[ -f "$deb" ] || fail "no package $deb: $(ls "$work/out")"
echo "built $(basename "$deb")"

[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "package version is not the project's $version"
dpkg-deb -f "$deb" Depends | grep -q 'fonts-liberation' || fail "no dependency on fonts-liberation"
dpkg-deb -f "$deb" Depends | grep -q 'libqt6widgets6' || fail "dpkg-shlibdeps found no Qt dependency"

lintian --tag-display-limit 0 "$deb" >"$work/lintian.log" 2>&1 || true
sed 's/^/  lintian: /' "$work/lintian.log"
! grep -q '^E: ' "$work/lintian.log" || fail "lintian reports errors"
! grep -qE 'no-manual-page|groff-message|manpage-has' "$work/lintian.log" || fail "lintian finds fault with a manual page"

dpkg -x "$deb" "$work/root"
program="$work/root/usr/bin/kestrafo"
[ -x "$program" ] || fail "the package holds no usr/bin/kestrafo"
for path in usr/share/doc/kestrafo/copyright usr/share/doc/kestrafo/changelog.gz \
    usr/bin/kestrafo-review usr/share/man/man1/kestrafo.1.gz usr/share/man/man1/kestrafo-review.1.gz \
    usr/share/metainfo/org.kestrafo.Kestrafo.metainfo.xml \
    usr/share/applications/org.kestrafo.Kestrafo.desktop; do
    [ -f "$work/root/$path" ] || fail "the package holds no $path"
done
grep -q "release version=\"$version\"" "$work/root/usr/share/metainfo/org.kestrafo.Kestrafo.metainfo.xml" ||
    fail "the AppStream release is not $version"

for binary in "$work"/root/usr/bin/*; do
    name=$(basename "$binary")
    page="$work/root/usr/share/man/man1/$name.1.gz"
    [ -f "$page" ] || fail "$name has no manual page"
    zcat "$page" | grep -q "^$name \\\\- " || fail "the manual page of $name does not name it"
    file -b "$binary" | grep -q ', stripped' || fail "$name is not stripped"
    readelf -d "$binary" >"$work/dynamic"
    ! grep -qE '\((RUNPATH|RPATH)\)' "$work/dynamic" || fail "$name carries a RUNPATH"
    grep -qE '\(FLAGS\).*BIND_NOW|\(FLAGS_1\).*NOW' "$work/dynamic" || fail "$name is not linked with bind-now"
    readelf -lW "$binary" | grep -q GNU_RELRO || fail "$name has no RELRO segment"
    readelf --dyn-syms -W "$binary" >"$work/symbols"
    grep -q '__stack_chk_fail' "$work/symbols" || fail "$name is built without the stack protector"
    grep -qE '__[a-z]+_chk(@|$| )' "$work/symbols" || fail "$name uses no fortified functions"
done
echo "hardened, stripped, no RUNPATH"

# The unpacked program, started as from the menu, shows its first prompt.
fifo="$work/displayfd"
mkfifo "$fifo"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$fifo" >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
read -r -t 15 number <"$fifo" || fail "Xvfb did not start"
export DISPLAY=":$number"
mkdir -p "$work/home"
HOME="$work/home" QT_QPA_PLATFORM=xcb "$program" >"$work/app.log" 2>&1 &
app_pid=$!
end=$((SECONDS + 20))
until xdotool search --onlyvisible --name '^kestrafo$' >/dev/null 2>&1; do
    kill -0 "$app_pid" 2>/dev/null || { cat "$work/app.log" >&2; fail "the program ended before its first prompt"; }
    [ $SECONDS -lt $end ] || fail "no prompt within 20 s"
    sleep 0.1
done
xdotool search --onlyvisible --name '^Form1$' >/dev/null 2>&1 && fail "the window came before the prompt"
echo "the unpacked program shows its first prompt"
