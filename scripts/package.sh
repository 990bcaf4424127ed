#!/usr/bin/env bash
# Builds the two Windows programs and writes the release package
# dist/ZQ347SD-File-Creator-<version>-win64.zip: both programs, the user's guide and
# their SHA-256 checksums, in one folder. The same sources give the same package.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
build=build/windows
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake >/dev/null
cmake --build "$build" -j "$(nproc)" --target ZQ347Fill zq347cli

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
name=ZQ347SD-File-Creator-$version
stage=$build/package/$name
rm -rf "$build/package"
mkdir -p "$stage" dist
cp "$build/ZQ347Fill.exe" "$build/zq347cli.exe" "$stage/"
# Windows line ends, so that every Notepad shows the lines.
sed 's/$/\r/' docs/UserGuide.txt >"$stage/ReadMe.txt"
files=(ZQ347Fill.exe zq347cli.exe ReadMe.txt)
(cd "$stage" && sha256sum "${files[@]}" | sed 's/$/\r/' >SHA256SUMS.txt)

# Fixed times and no extra attributes: the archive depends on its files only.
touch -d "$(git log -1 --format=%cI 2>/dev/null || echo 2021-09-03T00:00:00Z)" "$stage" "$stage"/*
zip="$PWD/dist/$name-win64.zip"
rm -f "$zip"
(cd "$build/package" && TZ=UTC zip -q -X "$zip" "$name/" "${files[@]/#/$name/}" \
  "$name/SHA256SUMS.txt")
echo "Package: dist/$name-win64.zip"
