#!/usr/bin/env bash
# Builds the two Windows programs and writes the release package
# dist/ZQ347SD-File-Creator-<version>-win64.zip: both programs, the user's guide and
# their SHA-256 checksums, in one folder. The same sources give the same package.
# Then builds the command line for Linux and writes the Debian package
# dist/zq347cli_<version>_amd64.deb: the program and its manual page.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
# The date of the sources, not of the build: in the archive and the manual page.
SOURCE_DATE_EPOCH=$(git log -1 --format=%ct 2>/dev/null || echo 1630627200)
export SOURCE_DATE_EPOCH
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
touch -d "@$SOURCE_DATE_EPOCH" "$stage" "$stage"/*
zip="$PWD/dist/$name-win64.zip"
rm -f "$zip"
(cd "$build/package" && TZ=UTC zip -q -X "$zip" "$name/" "${files[@]/#/$name/}" \
  "$name/SHA256SUMS.txt")
echo "Package: dist/$name-win64.zip"

# A release build, without the sanitizers of the test build.
linux=build/linux
cmake -S . -B "$linux" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$linux" -j "$(nproc)" --target zq347cli manual
(cd "$linux" && cpack -G DEB -B "$PWD/package" >/dev/null)
deb=zq347cli_${version}_amd64.deb
cp "$linux/package/$deb" dist/
echo "Package: dist/$deb"
