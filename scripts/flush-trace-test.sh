#!/usr/bin/env bash
# Runs the real command line under strace and checks that the data file is flushed
# (fsync or fdatasync) before it is closed: flush-trace-test.sh CLI. Skipped (77)
# without strace.
set -uo pipefail
if ! command -v strace >/dev/null; then
  echo "Skipped: no strace here."
  exit 77
fi
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
# LeakSanitizer cannot run under ptrace.
ASAN_OPTIONS=detect_leaks=0 strace -f -o "$dir/trace" -e trace=openat,fsync,fdatasync,close \
  "$1" write --settings-dir "$dir" --fresh --channel 1=+-10V --size 64K || exit 1
# The descriptor of the data file: flushed with success, then closed.
awk '/openat\(.*0001Dat\.VDF"/ { fd = $NF }
  fd != "" && /(fsync|fdatasync)\(/ && index($0, "(" fd ")") && / = 0$/ { flushed = 1 }
  fd != "" && /close\(/ && index($0, "(" fd ")") { closed = flushed ? "after" : "before"; exit }
  END { if (closed != "after") { print "the data file was closed " (closed ? closed : "never") \
    " it was flushed" > "/dev/stderr"; exit 1 } }' "$dir/trace"
