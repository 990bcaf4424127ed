#!/usr/bin/env bash
# Runs the full-disk tests on a real 1 MiB file system that this script mounts:
# full-disk-test.sh TEST-PROGRAM [EMULATOR...]. Skipped (77) where it cannot mount.
set -uo pipefail
program=$1
shift
if [[ $(id -u) != 0 ]]; then
  echo "Skipped: mounting a small file system needs root."
  exit 77
fi
dir=$(mktemp -d)
if ! mount -t tmpfs -o size=1M zq347-full-disk "$dir" 2>/dev/null; then
  rmdir "$dir"
  echo "Skipped: no tmpfs could be mounted here."
  exit 77
fi
trap 'umount "$dir"; rmdir "$dir"' EXIT
target=$dir
if (($# > 0)); then
  target="Z:${dir//\//\\}"  # Wine's Z: drive is the Linux root
fi
ZQ_FULL_DISK_DIR=$target "$@" "$program" --gtest_filter='FullDisk*'
