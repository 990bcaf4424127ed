#!/usr/bin/env bash
# Runs the removable-drive window tests on a real 1 MiB file system that this script
# mounts and maps as a floppy drive of the Wine prefix, and unmounts when the test asks
# (a file "ready" in the flag folder), while the test's program still runs; the answer
# ("unmounted", or what umount said) goes into the file "answer" there:
# removable-drive-test.sh TEST-PROGRAM PREFIX EMULATOR... Skipped (77) where it cannot.
set -uo pipefail
program=$1
prefix=$2
shift 2
if [[ $(id -u) != 0 ]]; then
  echo "Skipped: mounting a small file system needs root."
  exit 77
fi
"$@" cmd /c exit >/dev/null 2>&1  # makes the prefix when it is new
letter=
for candidate in r s t u v w x y; do
  if [[ ! -e "$prefix/dosdevices/$candidate:" ]]; then
    letter=$candidate
    break
  fi
done
if [[ -z $letter ]]; then
  echo "Skipped: no free drive letter in $prefix."
  exit 77
fi
dir=$(mktemp -d)
if ! mount -t tmpfs -o size=1M zq347-removable "$dir" 2>/dev/null; then
  rmdir "$dir"
  echo "Skipped: no tmpfs could be mounted here."
  exit 77
fi
flags=$(mktemp -d)
cleanup() {
  [[ -n ${watcher:-} ]] && kill "$watcher" 2>/dev/null
  "$@" reg delete 'HKLM\Software\Wine\Drives' /v "$letter:" /f >/dev/null 2>&1
  rm -f "$prefix/dosdevices/$letter:"
  WINEPREFIX=$prefix wineserver -k 2>/dev/null
  mountpoint -q "$dir" && umount "$dir"
  rmdir "$dir"
  rm -rf "$flags"
}
trap 'cleanup "$@"' EXIT
ln -s "$dir" "$prefix/dosdevices/$letter:"
"$@" reg add 'HKLM\Software\Wine\Drives' /v "$letter:" /d floppy /f >/dev/null 2>&1
# The mount manager reads the drive types when it starts.
WINEPREFIX=$prefix wineserver -k 2>/dev/null
WINEPREFIX=$prefix wineserver -w 2>/dev/null
(
  while [[ ! -e $flags/ready ]]; do sleep 0.1; done
  umount "$dir" >"$flags/said" 2>&1 && echo unmounted >"$flags/said"
  mv "$flags/said" "$flags/answer"
) &
watcher=$!
ZQ_REMOVABLE_DRIVE=${letter^^}: ZQ_UNMOUNT_FLAGS="Z:${flags//\//\\}" \
  "$@" "$program" --gtest_filter='RemovableDrive*'
code=$?
# Once the drive is out, nothing may appear where it was.
if [[ $(cat "$flags/answer" 2>/dev/null) == unmounted && -n $(ls -A "$dir") ]]; then
  echo "FAILED: written after the drive was taken out: $(ls -A "$dir")"
  code=1
fi
exit $code
