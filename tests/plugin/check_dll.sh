#!/usr/bin/env bash
# Reads the built DLL as Windows and a user would receive it:
# - the one export is winampVisGetHeader, by name, undecorated;
# - it needs nothing but system DLLs (no C++ runtime DLL beside it, no ddraw.dll import,
#   which is loaded at run time instead);
# - loading it runs none of our code: no static initialiser or destructor of ours, no
#   thread library with its TLS callbacks; the only constructor is libgcc's registration of
#   unwind tables;
# - no exception or type-information runtime is in it, and stripped it stays under 64 KiB;
# - nothing before the processor test of a start (nor the test itself) uses an SSE or MMX
#   register, so that an older processor gets a failed start, not an illegal instruction.
# Symbols come from the DLL, or for a stripped one from its debug file beside it
# (DLL.debug).
# Usage: check_dll.sh OBJDUMP DLL
set -u
objdump=$1 dll=$2
tools=${objdump%objdump}
nm=${tools}nm strip=${tools}strip
tables=$("$objdump" -p "$dll") || { echo "FAIL: cannot read $dll"; exit 1; }
failed=0
fail() {
  echo "FAIL: $*"
  failed=1
}

exports=$(printf '%s\n' "$tables" | sed -n '/^\[Ordinal\/Name Pointer\] Table/,/^$/p' |
  grep -E '^\s+\[' | awk '{print $NF}')
[ "$exports" = "winampVisGetHeader" ] || fail "exports are: $(echo $exports)"

allowed='^(kernel32|user32|msvcrt)\.dll$'
imports=$(printf '%s\n' "$tables" | awk '/DLL Name:/ {print tolower($3)}')
for name in $imports; do
  [[ $name =~ $allowed ]] || fail "imports $name"
done

symbols=$("$nm" "$dll" 2>/dev/null)
[ -n "$symbols" ] || symbols=$("$nm" "$dll.debug" 2>/dev/null)
if [ -z "$symbols" ]; then
  fail "no symbols in $dll nor in $dll.debug"
  exit 1
fi
address() { printf '%s\n' "$symbols" | awk -v name="$1" '$3 == name {print $1; exit}'; }
name_at() { printf '%s\n' "$symbols" | awk -v at="$1" '$1 == at && $3 !~ /^\./ {print $3; exit}'; }
# The 32-bit words of the image from ADDRESS on, one a line, in hexadecimal.
words_from() {
  "$objdump" -s --start-address=0x$1 --stop-address=$(printf '0x%x' $((0x$1 + 64))) "$dll" |
    awk '/^ [0-9a-f]+ / {for (i = 2; i <= 5 && i <= NF; i++) if (length($i) == 8) print $i}' |
    sed -E 's/(..)(..)(..)(..)/\4\3\2\1/'
}

# A constructor or destructor list: -1, the entries, 0.
for list in ___CTOR_LIST__ ___DTOR_LIST__; do
  start=$(address "$list")
  [ -n "$start" ] || { fail "no $list"; continue; }
  while read -r word; do
    [ "$word" = ffffffff ] && continue
    [ "$word" = 00000000 ] && break
    entry=$(name_at "$word")
    [[ $entry =~ ^_?_?(de)?register_frame_(c|d)tor$ ]] || fail "$list runs ${entry:-0x$word} at load"
  done < <(words_from "$start")
done
ours=$(printf '%s\n' "$symbols" | awk '{print $3}' |
  grep -E '_GLOBAL__sub_|emutls|pthread|__cxa_|_Unwind_|_personality|^__ZT[IS]' | sort -u)
[ -z "$ours" ] || fail "load-time code or exception runtime in the DLL:" $(echo "$ours" | head -8) ...

stripped=$(mktemp)
"$strip" -o "$stripped" "$dll"
size=$(stat -c %s "$stripped")
rm -f "$stripped"
[ "$size" -lt 65536 ] || fail "stripped, the DLL has $size bytes, not under 64 KiB"

# Disassembles FROM up to the next symbol's address, or to the first call of UNTIL.
instructions() {
  local from=$1 until=${2:-} end
  end=$(printf '%s\n' "$symbols" | awk -v from="$from" '$1 > from {print $1}' | sort | head -1)
  "$objdump" -d --no-show-raw-insn --start-address=0x$from --stop-address=0x$end "$dll" |
    awk -v until="$until" '/^ *[0-9a-f]+:/ {print; if (until != "" && $0 ~ "call +(0x)?" until) exit}'
}
check=$(address __ZN3win25IsProcessorFeaturePresentEm)
start=$(address __Z10initModuleP9VisModule)
if [ -z "$check" ] || [ -z "$start" ]; then
  fail "no processor test in the start"
else
  before=$( (instructions "$start" "$check"; instructions "$check"
    for name in _winampVisGetHeader __Z8moduleAti; do instructions "$(address $name)"; done))
  printf '%s\n' "$before" | grep -q "call .*$check" || fail "the start does not begin with the processor test"
  sse=$(printf '%s\n' "$before" | grep -E '%x?mm[0-9]')
  [ -z "$sse" ] || fail "SSE or MMX before the processor test: $sse"
fi

[ "$failed" -eq 0 ] && echo "exports: $exports; imports: $(echo $imports); stripped $size bytes"
exit "$failed"
