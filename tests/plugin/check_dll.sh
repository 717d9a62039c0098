#!/usr/bin/env bash
# Reads the DLL's export and import tables: the one export is winampVisGetHeader, by name,
# undecorated, and the DLL needs nothing but system DLLs (no C++ runtime DLL beside it,
# no ddraw.dll import, which is loaded at run time instead).
# Usage: check_dll.sh OBJDUMP DLL
set -u
objdump=$1 dll=$2
tables=$("$objdump" -p "$dll") || { echo "FAIL: cannot read $dll"; exit 1; }
failed=0

exports=$(printf '%s\n' "$tables" | sed -n '/^\[Ordinal\/Name Pointer\] Table/,/^$/p' |
  grep -E '^\s+\[' | awk '{print $NF}')
if [ "$exports" != "winampVisGetHeader" ]; then
  echo "FAIL: exports are: $(echo $exports)"
  failed=1
fi

allowed='^(kernel32|user32|msvcrt)\.dll$'
imports=$(printf '%s\n' "$tables" | awk '/DLL Name:/ {print tolower($3)}')
for name in $imports; do
  if ! [[ $name =~ $allowed ]]; then
    echo "FAIL: imports $name"
    failed=1
  fi
done

[ "$failed" -eq 0 ] && echo "exports: $exports; imports: $(echo $imports)"
exit "$failed"
