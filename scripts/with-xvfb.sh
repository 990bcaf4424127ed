#!/usr/bin/env bash
# Runs a command on a virtual display of its own, stopped afterwards by its pid:
# with-xvfb.sh COMMAND [ARGS...]
set -uo pipefail
exec 3< <(exec Xvfb -displayfd 1 -screen 0 1280x1024x24 -nolisten tcp 2>/dev/null)
xvfb_pid=$!
if ! read -r -t 20 display <&3; then
  echo "Xvfb did not start" >&2
  kill "$xvfb_pid" 2>/dev/null
  exit 1
fi
trap 'kill "$xvfb_pid" 2>/dev/null' EXIT
DISPLAY=:$display "$@"
