#!/usr/bin/env bash
# Builds the two Windows programs again, from a copy of the sources in another folder
# into another build folder, and compares them byte for byte with a finished build:
# reproducible-build-test.sh BUILD_FOLDER BUILD_TYPE
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(cd "$1" && pwd)
work=$build/second-build
mkdir -p "$work/sources"
# The copy keeps the files' times, so a repeated check rebuilds only what changed.
tar -c --exclude=./build --exclude=./dist --exclude=./.git . | tar -x -C "$work/sources"
cmake -S "$work/sources" -B "$work/build" -G Ninja -DCMAKE_BUILD_TYPE="$2" \
  -DCMAKE_TOOLCHAIN_FILE="$work/sources/cmake/mingw-w64-x86_64.cmake" >/dev/null
cmake --build "$work/build" -j "$(nproc)" --target ZQ347Fill zq347cli >/dev/null
for program in ZQ347Fill.exe zq347cli.exe; do
  cmp "$build/$program" "$work/build/$program"
  echo "$program: the same $(stat -c %s "$build/$program") bytes from $work/sources"
done
