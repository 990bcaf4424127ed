#!/usr/bin/env bash
# Builds the program and starts it under Wine in a folder: run.sh [FOLDER]
# (default: a fresh folder under build/). On a machine without a display it runs on
# a virtual one, writes a data file, saves screenshots of the dialog at work and with
# a hint, and says where.
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

# No display: a virtual one, with Wine's desktop window so the frames are drawn, and
# the dialog shown at work. A folder without saved choices gets some: four channels in
# A and B, 256 Ms each, a data file of 4 GiB.
if [[ ! -e "$folder/ZQ347Fill.sav" ]]; then
  {
    printf 'FreqIndex   = 2\r\nSizeIndex   = 18\r\nFileNumber  = 0\r\nZeroMul     = 0\r\n'
    printf 'CycleMode   = 1\r\nSynchroMode = 1\r\nDigitalBIT0 = 0\r\n'
    printf 'ChA1Index = 2\r\nChA2Index = 3\r\nChA3Index = 8\r\nChA5Index = 4\r\n'
    printf 'ChB1Index = 2\r\nChB2Index = 5\r\nChB3Index = 8\r\nChB5Index = 2\r\n'
  } >"$folder/ZQ347Fill.sav"
fi

# The screen, then the dialog (and what lies over it) cut from it, in few colours.
grab() { import -window root "$folder/$1"; }
crop() { convert "$folder/$1" -trim +repage -colors 64 "PNG8:$folder/$1"; }
shoot() {
  scripts/wine-run.sh "$prefix" cmd /c ver >/dev/null 2>&1  # a new prefix is made first
  (cd "$folder" && "$root/scripts/wine-run.sh" "$prefix" explorer /desktop=ZQ347,1280x1024 \
    "$program" >/dev/null 2>&1 &)
  sleep "${ZQ_SCREENSHOT_DELAY:-8}"
  local started
  started=$(mktemp)
  # The folder and base name typed into the save-file dialog (which may open where the
  # program was last used), then F2 writes.
  xdotool mousemove 2 2 type "Z:${folder//\//\\}\\Dat"
  xdotool key Return sleep 1 key F2
  # The shot once 1600 MiB are written (40 % of the file chosen above), at most 10 s on.
  local size
  for ((i = 0; i < 200; i++)); do
    size=$(find "$folder" -maxdepth 1 -name '*.VDF' -newer "$started" -printf '%s\n' | sort -n |
      tail -1)
    ((${size:-0} >= 1600 * 1024 * 1024)) && break
    sleep 0.05
  done
  grab screenshot.png
  # F2 stops the file, which goes: it was only for the picture.
  xdotool key F2 sleep 1
  crop screenshot.png
  find "$folder" -maxdepth 1 -name '*.VDF' -newer "$started" -delete
  rm -f "$started"
  # The cursor rests on the list "5 B" (its centre at 165, 150 of 451 by 270 dialog units,
  # below a caption of about 20 pixels) until the hint comes, 10 to 11 s with the
  # built-in delay.
  local box
  box=$(convert "$folder/screenshot.png" -format '%w %h' info:)
  read -r width height <<<"$box"
  xdotool mousemove $(((1280 - width) / 2 + width * 165 / 451)) \
    $(((1024 - height) / 2 + 20 + (height - 20) * 150 / 270)) sleep 12
  grab hint.png
  crop hint.png
  WINEPREFIX=$prefix wineserver -k 2>/dev/null || true
}
root=$PWD
export -f shoot grab crop
export prefix folder program root
scripts/with-xvfb.sh bash -c shoot
echo "No display here: the program ran on a virtual one. Screenshots: $folder/screenshot.png" \
  "(a data file being written) and $folder/hint.png"
