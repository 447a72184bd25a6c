#!/usr/bin/env bash
# Checks what a built plug-in library exports and imports: exactly `main` (and, on 64-bit,
# the alias VSTPluginMain), and on Windows only system DLLs, so that the file alone is the
# whole installation.
set -euo pipefail
lib=$1
fail() { echo "FAIL: $lib: $*"; exit 1; }

case "$lib" in
  *.dll)
    info=$(objdump -p "$lib" 2>/dev/null || x86_64-w64-mingw32-objdump -p "$lib")
    case "$(echo "$info" | sed -n 's/.*file format //p' | head -n 1)" in
      pei-i386) expected="main" ;;
      *) expected="VSTPluginMain main" ;;
    esac
    exports=$(echo "$info" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' |
              sed -n 's/^\s*\[ *[0-9]*\] //p' | sort | xargs)
    imports=$(echo "$info" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z' | sort -u | xargs)
    for dll in $imports; do
      case "$dll" in
        kernel32.dll|msvcrt.dll|user32.dll|advapi32.dll|ntdll.dll|ucrtbase.dll|api-ms-win-*) ;;
        *) fail "imports $dll, which is not a Windows system DLL" ;;
      esac
    done
    ;;
  *.so)
    expected="VSTPluginMain main"
    exports=$(nm -D --defined-only "$lib" | awk '{print $3}' | grep -v '^$' | sort | xargs)
    imports="(shared objects: $(objdump -p "$lib" | awk '/NEEDED/ {print $2}' | xargs))"
    ;;
  *) fail "unknown library type" ;;
esac

[ "$exports" = "$expected" ] || fail "exports '$exports', expected '$expected'"
echo "$lib: exports $exports; imports $imports"
