#!/usr/bin/env bash
# Builds everything and runs every test, in the normal and in the sanitizer (ASan + UBSan) build, and checks the
# Debian package of the normal build.
# Fails on the first failure. Usage: tools/test.sh
set -euo pipefail
cd "$(dirname "$0")/.."

tools/setup.sh
jobs=$(nproc)

echo "== normal build =="
cmake --preset default
cmake --build --preset default -j "$jobs"
ctest --preset default -j "$jobs"

echo "== Debian package =="
tools/check-package.sh build/default

echo "== sanitizer build =="
cmake --preset asan
cmake --build --preset asan -j "$jobs"
ctest --preset asan -j "$jobs"

if [ -d fuzz ] && command -v clang++ >/dev/null; then
    echo "== fuzz targets: build and a short run each =="
    cmake --preset fuzz
    cmake --build --preset fuzz -j "$jobs"
    tools/fuzz-smoke.sh build/fuzz 10
fi
echo "All tests passed."
