#!/usr/bin/env bash
# Checks that a Windows program imports only DLLs that every Windows has.
set -euo pipefail
allowed='^(kernel32|user32|gdi32|comdlg32|advapi32|shell32|comctl32|msvcrt|ucrtbase|ws2_32|ole32|api-ms-win-.*)\.dll$'
status=0
while read -r dll; do
  if ! [[ "${dll,,}" =~ $allowed ]]; then
    echo "$1 imports $dll, which is not a system DLL"
    status=1
  fi
done < <(x86_64-w64-mingw32-objdump -p "$1" | sed -n 's/^\s*DLL Name: //p')
[[ $status == 0 ]] && echo "$(basename "$1") imports only system DLLs"
exit $status
