#!/usr/bin/env bash
# Builds the program and starts it under Wine in a folder: run.sh [FOLDER]
# (default: a fresh folder under build/). On a machine without a display it runs on
# a virtual one, saves a screenshot a few seconds after the start and says where.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake -S . -B build/windows -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake >/dev/null
cmake --build build/windows --target ZQ347Fill
program=$PWD/build/windows/ZQ347Fill.exe
prefix=$PWD/build/run-wineprefix
folder=${1:-build/run/$(date +%Y%m%d-%H%M%S)}
mkdir -p "$folder"
folder=$(cd "$folder" && pwd)
echo "Starting the program in $folder"

if [[ -n "${DISPLAY:-}" ]] && xset q >/dev/null 2>&1; then
  cd "$folder"
  exec "$OLDPWD/scripts/wine-run.sh" "$prefix" "$program"
fi

# No display: a virtual one, with Wine's desktop window so the frames are drawn.
shoot() {
  scripts/wine-run.sh "$prefix" cmd /c ver >/dev/null 2>&1  # a new prefix is made first
  (cd "$folder" && "$root/scripts/wine-run.sh" "$prefix" explorer /desktop=ZQ347,1280x1024 \
    "$program" >/dev/null 2>&1 &)
  sleep "${ZQ_SCREENSHOT_DELAY:-8}"
  import -window root "$folder/screenshot.png"
  WINEPREFIX=$prefix wineserver -k 2>/dev/null || true
}
root=$PWD
export -f shoot
export prefix folder program root
scripts/with-xvfb.sh bash -c shoot
echo "No display here: the program ran on a virtual one. Screenshot: $folder/screenshot.png"
