#!/usr/bin/env bash
# Builds everything and runs every test: the unit tests natively under the
# sanitizers and as Windows programs under Wine, the release packages (the Windows
# zip and the command line's Debian package), then a bounded fuzz run.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

jobs=$(nproc)

cmake -S . -B build/host -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZQ_SANITIZE=ON >/dev/null
cmake --build build/host -j "$jobs"
ctest --test-dir build/host --output-on-failure -j "$jobs"

cmake -S . -B build/windows -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake >/dev/null
cmake --build build/windows -j "$jobs"
status=0
# Window tests need a display: a virtual one of their own.
scripts/with-xvfb.sh ctest --test-dir build/windows --output-on-failure || status=$?
WINEPREFIX=$PWD/build/windows/wineprefix wineserver -k 2>/dev/null || true
((status == 0))

# The release package: what it holds, and every file against its checksum.
scripts/package.sh
zip=$(ls dist/ZQ347SD-File-Creator-*-win64.zip)
unzip -l "$zip"
unpacked=$(mktemp -d)
unzip -q "$zip" -d "$unpacked"
(cd "$unpacked"/ZQ347SD-File-Creator-* && sha256sum -c --strict SHA256SUMS.txt &&
  diff <(ls | sort) <( (cut -d' ' -f3 SHA256SUMS.txt | tr -d '\r'; echo SHA256SUMS.txt) | sort))
rm -rf "$unpacked"
# The command line's Debian package.
scripts/deb-test.sh dist/zq347cli_*_amd64.deb

cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZQ_FUZZ=ON \
  -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build build/fuzz -j "$jobs"
ctest --test-dir build/fuzz --output-on-failure
