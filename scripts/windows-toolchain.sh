#!/bin/sh
# Makes the Windows cross toolchain once per machine: Debian's MinGW-w64
# compiler, Wine, NSIS, and a static Qt for MinGW built from Debian's own
# qt6-base source, of the same version as the Linux build's Qt.
#
# The Qt goes into a cache outside the work tree and is reused when it is
# there and complete; it is marked complete only after its install has
# finished, so an interrupted build starts again from the beginning.
#
#   windows-toolchain.sh                   makes it when it is not there
#   windows-toolchain.sh --toolchain-file  prints the CMake toolchain file that
#                                          a project configures with
set -eu

cache=${KESTRAFO_WINDOWS_CACHE:-/var/cache/kestrafo}
jobs=${JOBS:-$(nproc 2>/dev/null || echo 2)}
target=x86_64-w64-mingw32

if [ "$(id -u)" -eq 0 ]; then
    sudo=""
else
    sudo="sudo"
fi

stamp() {
    echo "windows-toolchain: $(date -u +%H:%M:%S) $*" >&2
}

# The Qt features that the program does not use, and the two that Debian's
# 6.4.2 source cannot build for Windows: its tablet header is removed from
# the source, and the Windows platform plugin needs dynamic GL off when
# OpenGL is off. Direct2D stays on although the program does not draw with
# it: without it Qt Gui leaves out the DirectWrite font database that the
# Windows platform plugin still calls. The program draws and copies no JPEG
# or GIF pictures.
qt_features="sql network dbus printsupport concurrent xml vulkan opengl \
tabletevent dynamicgl jpeg gif"
qt_bundled="zlib pcre2 harfbuzz png freetype doubleconversion"

packages="g++-mingw-w64-x86-64-posix wine64 nsis ninja-build cmake \
qt6-base-dev-tools dpkg-dev xz-utils zip unzip xvfb xauth xdotool \
librsvg2-bin icoutils fontconfig"

# Where the Qt of the installed host tools' version goes.
locate() {
    qt_version=$(dpkg-query -W -f='${Version}' qt6-base-dev-tools)
    qt_upstream=${qt_version%%+*}
    prefix=$cache/qt-$qt_upstream-mingw-static
    toolchain=$prefix/lib/cmake/Qt6/qt.toolchain.cmake
}

if [ "${1:-}" = "--toolchain-file" ]; then
    locate
    [ -f "$prefix/.complete" ] || {
        echo "windows-toolchain: no complete Qt for Windows in $prefix: run $0" >&2
        exit 1
    }
    echo "$toolchain"
    exit 0
fi

missing=""
for p in $packages; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $p"
    fi
done
if [ -n "$missing" ]; then
    stamp "installing:$missing"
    $sudo apt-get update
    # shellcheck disable=SC2086
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends $missing
fi

locate

# What the cached Qt was made from and with; a change makes it again.
recipe="qt6-base $qt_version for $target, static, Release
features off: $qt_features
bundled: $qt_bundled"

if [ -f "$prefix/.complete" ] && [ "$(cat "$prefix/.complete")" = "$recipe" ]; then
    stamp "Qt $qt_upstream for Windows is ready in $prefix"
    exit 0
fi

work=$cache/work
$sudo rm -rf "$prefix" "$work"
$sudo mkdir -p "$work"
$sudo chown "$(id -u):$(id -g)" "$cache" "$work"
cd "$work"
stamp "start, Qt $qt_version, $jobs jobs"

# A source list of our own, so that the machine's apt set-up stays as it is.
mkdir -p apt/lists/partial apt/archives/partial
sed -n 's/^URIs: *//p' /etc/apt/sources.list.d/debian.sources 2>/dev/null |
    grep -v security | head -n 1 >apt/mirror || true
mirror=$(cat apt/mirror)
[ -n "$mirror" ] || mirror=http://deb.debian.org/debian
codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
echo "deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] $mirror $codename main" \
    >apt/sources.list
set -- -o Dir::Etc::SourceList="$work/apt/sources.list" -o Dir::Etc::SourceParts=- \
    -o Dir::State::Lists="$work/apt/lists" -o Dir::Cache::Archives="$work/apt/archives" \
    -o APT::Sandbox::User=root
apt-get "$@" update
apt-get "$@" source --only-source "qt6-base=$qt_version"
source_dir=$(find "$work" -maxdepth 1 -type d -name "qt6-base-*" | head -n 1)
stamp "source unpacked in $source_dir"

cat >mingw.cmake <<EOF
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER $target-gcc-posix)
set(CMAKE_CXX_COMPILER $target-g++-posix)
set(CMAKE_RC_COMPILER $target-windres)
set(CMAKE_FIND_ROOT_PATH /usr/$target)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
EOF

set --
for f in $qt_features; do set -- "$@" "-DFEATURE_$f=OFF"; done
for f in $qt_bundled; do set -- "$@" "-DFEATURE_system_$f=OFF"; done

cmake -S "$source_dir" -B build -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$work/mingw.cmake" \
    -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DQT_HOST_PATH=/usr \
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DBUILD_SHARED_LIBS=OFF \
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
    "$@"
stamp "configured"

cmake --build build --parallel "$jobs"
stamp "built"

cmake --install build
# The toolchain file the Qt build installs includes our MinGW one: keep a
# copy beside the Qt so that the work folder can go.
cp mingw.cmake "$prefix/mingw.cmake"
grep -rl "$work/mingw.cmake" "$prefix/lib/cmake" |
    xargs -r sed -i "s|$work/mingw.cmake|$prefix/mingw.cmake|g"
printf '%s' "$recipe" >"$prefix/.complete"
cd "$cache"
rm -rf "$work"
stamp "installed in $prefix ($(du -sh "$prefix" | cut -f1))"
