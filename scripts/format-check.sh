#!/bin/sh
# Fails when a C++ file of the tree differs from what .clang-format makes of it.
set -eu
cd "$(dirname "$0")/.."
find src tests bench -name '*.cpp' -o -name '*.h' | sort |
    xargs clang-format --dry-run --Werror
