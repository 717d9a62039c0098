#!/usr/bin/env bash
# Reads the built 32-bit DLL as Windows and a user would receive it:
# - the one export is winampVisGetHeader, by name, undecorated;
# - its imports are exactly the list below: a new one fails here until it is added on
#   purpose (ddraw.dll is loaded at run time, never imported);
# - loading it runs none of our code and no C runtime: the entry point is dllEntry, which
#   only returns TRUE; there is no TLS directory and nothing in the constructor or
#   destructor lists;
# - no exception or type-information runtime is in it, and stripped it stays under 64 KiB;
# - no SSE, SSE2 or MMX instruction lies on a path that a start failed at its processor test
#   can still take. From the getters, the callbacks and the entry point, every call, jump
#   and taken address is followed through the disassembly, wherever the compiler put the
#   code; only the edges listed under "gates" are not, since the code runs them only once a
#   start passed that test.
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

expected_imports='
kernel32.dll CloseHandle
kernel32.dll CreateFileA
kernel32.dll DeleteFileA
kernel32.dll FreeLibrary
kernel32.dll GetCurrentThread
kernel32.dll GetCurrentThreadId
kernel32.dll GetEnvironmentVariableA
kernel32.dll GetModuleHandleA
kernel32.dll GetProcAddress
kernel32.dll GetProcessHeap
kernel32.dll GetThreadTimes
kernel32.dll GetTickCount
kernel32.dll HeapAlloc
kernel32.dll HeapFree
kernel32.dll IsProcessorFeaturePresent
kernel32.dll LoadLibraryA
kernel32.dll MoveFileExA
kernel32.dll ReadFile
kernel32.dll SetThreadExecutionState
kernel32.dll Sleep
kernel32.dll TlsAlloc
kernel32.dll TlsFree
kernel32.dll TlsGetValue
kernel32.dll TlsSetValue
kernel32.dll WriteFile
gdi32.dll SetDIBitsToDevice
msvcrt.dll memset
user32.dll AppendMenuA
user32.dll CheckMenuItem
user32.dll ClientToScreen
user32.dll CreateWindowExA
user32.dll DefWindowProcA
user32.dll DestroyWindow
user32.dll DialogBoxParamA
user32.dll DispatchMessageA
user32.dll EndDialog
user32.dll EnumDisplayMonitors
user32.dll GetClientRect
user32.dll GetDC
user32.dll GetForegroundWindow
user32.dll GetMonitorInfoA
user32.dll GetSystemMenu
user32.dll GetWindowRect
user32.dll GetWindowThreadProcessId
user32.dll IsIconic
user32.dll IsWindow
user32.dll IsZoomed
user32.dll LoadIconA
user32.dll MessageBoxA
user32.dll MonitorFromPoint
user32.dll MonitorFromWindow
user32.dll MoveWindow
user32.dll PeekMessageA
user32.dll RegisterClassA
user32.dll ReleaseDC
user32.dll SendDlgItemMessageA
user32.dll SetCursor
user32.dll SetDlgItemTextA
user32.dll SetWindowLongA
user32.dll SetWindowPos
user32.dll ShowWindow
user32.dll SystemParametersInfoA
user32.dll TranslateMessage
user32.dll UnregisterClassA'

# Edges that a start opens only once its processor test passed, as "FROM TO": either
# module's start seeds the fountain after the test; either render call steps it, and the
# windowed presentation scales the picture or what changed in it, only while running, which only a passed start
# sets; the exclusive display's converters are called only
# through the pointer that its set-up, after the test, takes from selectRowConverter. That
# neither the failed test nor the render call after it goes on to these is what the
# lifecycle tests show.
gates='
initModule seedFountain
initWindowed seedFountain
renderModule stepFountain
renderWindowed stepFountain
windowedPresent scaleFrame
windowedPresent scaleChanges
windowedPresent copyBlocks
selectRowConverter convertRow.*'
# The host's ways in: the export, the getter it hands out, the callbacks in the two module
# records, and the loader's entry point.
roots='winampVisGetHeader moduleAt configModule initModule renderModule quitModule
  configWindowed initWindowed renderWindowed quitWindowed dllEntry'
# SSE, SSE2 and MMX by register, and the instructions of those sets (and later ones) that
# name no such register.
sse_pattern='%[xyz]?mm[0-9]|%mxcsr|^(emms|femms|[lms]fence|movnti|movntq|movntdqa?|movntp[sd]|maskmov(q|dqu)|clflush(opt)?|[ls]dmxcsr|stmxcsr|prefetch[a-z0-9]*|popcnt|lzcnt|tzcnt|crc32|movbe)$'

exports=$(printf '%s\n' "$tables" | sed -n '/^\[Ordinal\/Name Pointer\] Table/,/^$/p' |
  grep -E '^\s+\[' | awk '{print $NF}')
[ "$exports" = "winampVisGetHeader" ] || fail "exports are: $(echo $exports)"

imports=$(printf '%s\n' "$tables" | awk '
  /DLL Name:/ {dll = tolower($3); next}
  /^$/ {dll = ""}
  dll != "" && $1 ~ /^[0-9a-f]+$/ && $2 ~ /^[0-9]+$/ && NF == 3 {print dll, $3}' | sort)
unexpected=$(comm -13 <(printf '%s\n' "$expected_imports" | sed '/^$/d' | sort) <(printf '%s\n' "$imports"))
missing=$(comm -23 <(printf '%s\n' "$expected_imports" | sed '/^$/d' | sort) <(printf '%s\n' "$imports"))
[ -z "$unexpected" ] || fail "imports not in the list:" $unexpected
[ -z "$missing" ] || fail "listed imports it no longer has:" $missing

symbols=$("$nm" "$dll" 2>/dev/null)
[ -n "$symbols" ] || symbols=$("$nm" "$dll.debug" 2>/dev/null)
if [ -z "$symbols" ]; then
  fail "no symbols in $dll nor in $dll.debug"
  exit 1
fi
# Code symbols by address, one "ADDRESS NAME" a line, names as C++ spells them without
# arguments (no leading underscore, no stdcall decoration, spaces taken out).
functions=$(printf '%s\n' "$symbols" | awk '$2 ~ /^[Tt]$/ && $3 !~ /^\./ {
    name = $3; sub(/^_/, "", name); sub(/@[0-9]+$/, "", name); print $1, name}' |
  sort -u -k1,1 | ${tools}c++filt -p -n | awk '{at = $1; $1 = ""; gsub(/ /, ""); print at, $0}')
address() { printf '%s\n' "$functions" | awk -v name="$1" '$2 == name {print $1; exit}'; }
name_at() { printf '%s\n' "$functions" | awk -v at="$1" '$1 == at {print $2; exit}'; }
# The function holding ADDRESS: the last symbol at or before it.
holder() { printf '%s\n' "$functions" | awk -v at="$1" '$1 <= at {f = $1} END {print f}'; }
end_of() { printf '%s\n' "$symbols" | awk -v from="$1" '$1 > from {print $1}' | sort | head -1; }
# The instructions of the function at ADDRESS: "ADDRESS MNEMONIC OPERANDS" a line.
instructions() {
  "$objdump" -d --no-show-raw-insn --start-address=0x$1 --stop-address=0x$(end_of "$1") "$dll" |
    awk -F'\t' '/^ *[0-9a-f]+:\t/ {sub(/^ */, "", $1); sub(/:$/, "", $1); print $1, $2}'
}

# The entry point: dllEntry, nothing but mov $1,%eax and the return.
base=$(printf '%s\n' "$tables" | awk '$1 == "ImageBase" {print $2}')
entry_rva=$(printf '%s\n' "$tables" | awk '$1 == "AddressOfEntryPoint" {print $2}')
entry=$(printf '%08x' $((0x$base + 0x$entry_rva)))
entry_name=$(name_at "$entry")
[ "$entry_name" = dllEntry ] || fail "the entry point is ${entry_name:-0x$entry}, not dllEntry"
body=$(instructions "$entry" | awk '{ret = $2 ~ /^ret/; $1 = ""; sub(/^ /, ""); print} ret {exit}' | tr -s ' ')
[[ $body =~ ^'mov $0x1,%eax'$'\n''ret'( '$0xc')?$ ]] ||
  fail "the entry point does more than return TRUE:" $body

tls=$(printf '%s\n' "$tables" | awk '$1 == "Entry" && $2 == 9 {print $3 $4}')
[ "$tls" = 0000000000000000 ] || fail "a TLS directory: $tls"
"$objdump" -h "$dll" | grep -qE '^ +[0-9]+ \.(tls|CRT)\b' && fail "a .tls or .CRT section"

# A constructor or destructor list: -1, the entries, 0. The linker writes the frame of
# both; nothing may stand in it.
words_from() {
  "$objdump" -s --start-address=0x$1 --stop-address=$(printf '0x%x' $((0x$1 + 16))) "$dll" |
    awk '/^ [0-9a-f]+ / {for (i = 2; i <= 5 && i <= NF; i++) if (length($i) == 8) print $i}'
}
for list in ___CTOR_LIST__ ___DTOR_LIST__; do
  start=$(printf '%s\n' "$symbols" | awk -v name="$list" '$3 == name {print $1; exit}')
  [ -z "$start" ] && continue
  first=$(words_from "$start" | grep -vm1 '^ffffffff$')
  [ "$first" = 00000000 ] || fail "$list holds 0x$first"
done
ours=$(printf '%s\n' "$symbols" | awk '{print $3}' |
  grep -E '_GLOBAL__sub_|emutls|pthread|__cxa_|_Unwind_|_personality|^__ZT[IS]|register_frame|DllMainCRTStartup|_initterm|_pei386' |
  sort -u)
[ -z "$ours" ] || fail "start-up code or exception runtime in the DLL:" $(echo "$ours" | head -8) ...

stripped=$(mktemp)
"$strip" -o "$stripped" "$dll"
size=$(stat -c %s "$stripped")
rm -f "$stripped"
[ "$size" -lt 65536 ] || fail "stripped, the DLL has $size bytes, not under 64 KiB"

# The walk. An edge is a direct call or jump out of the function, or an immediate that is
# the address of a function (a callback or converter handed on): either may run it.
declare -A seen
queue=()
for name in $roots; do
  at=$(address "$name")
  if [ -z "$at" ]; then
    fail "no $name in the symbols"
  else
    queue+=("$at")
    seen[$at]=1
  fi
done
declare -A gate_seen
reached=0
while [ ${#queue[@]} -gt 0 ]; do
  at=${queue[0]}
  queue=("${queue[@]:1}")
  name=$(name_at "$at")
  reached=$((reached + 1))
  code=$(instructions "$at")
  bad=$(printf '%s\n' "$code" | awk -v pattern="$sse_pattern" '
    {m = $2; ops = $0; sub(/^[^ ]+ [^ ]+ ?/, "", ops)}
    m ~ pattern || ops ~ pattern {print; n++} n == 3 {exit}')
  [ -z "$bad" ] || fail "SSE or MMX in $name, reachable without a passed processor test:" $bad
  end=$(end_of "$at")
  edges=$(printf '%s\n' "$code" | awk -v from="$at" -v to="$end" '
    $2 ~ /^(call|j[a-z]+)l?$/ && $3 !~ /^\*/ {t = $3; sub(/^0x/, "", t); if (t < from || t >= to) print "jump", t}
    {while (match($0, /\$0x[0-9a-f]+/)) {print "address", substr($0, RSTART + 3, RLENGTH - 3)
      $0 = substr($0, RSTART + RLENGTH)}}' | sort -u)
  while read -r kind target; do
    [ -n "$target" ] || continue
    if [ "$kind" = jump ]; then
      callee_at=$(holder "$target")
    else
      callee_at=$target  # an immediate that is no function's address is plain data
    fi
    callee=$(name_at "$callee_at")
    [ -n "$callee" ] || continue
    gated=$(printf '%s\n' "$gates" | awk -v from="$name" -v to="$callee" '$1 == from && to ~ ("^" $2 "$") {print "y"}')
    if [ -n "$gated" ]; then
      gate_seen[$name]=1
      continue
    fi
    [ -n "${seen[$callee_at]:-}" ] && continue
    seen[$callee_at]=1
    queue+=("$callee_at")
  done <<<"$edges"
done
for from in $(printf '%s\n' "$gates" | awk 'NF {print $1}' | sort -u); do
  [ -n "${gate_seen[$from]:-}" ] || fail "the gate out of $from is gone: the walk no longer matches the code"
done

# The start asks the processor first: its first call is the test, or a function whose first
# call is.
first_call() { instructions "$1" | awk '$2 ~ /^calll?$/ && $3 !~ /^\*/ {t = $3; sub(/^0x/, "", t); print t; exit}'; }
test_at=$(address win::IsProcessorFeaturePresent)
start_at=$(address initModule)
if [ -n "$start_at" ]; then
  called=$(first_call "$start_at")
  if [ -n "$called" ] && [ "$called" != "$test_at" ]; then
    called=$(first_call "$called")
  fi
  [ -n "$test_at" ] && [ "$called" = "$test_at" ] || fail "the start does not begin with the processor test"
fi

[ "$failed" -eq 0 ] &&
  echo "exports: $exports; $(printf '%s\n' "$imports" | wc -l) imports as listed; entry dllEntry;" \
    "$reached functions reachable without the processor test, none with SSE or MMX;" \
    "stripped $size bytes"
exit "$failed"
