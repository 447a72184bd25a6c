#!/usr/bin/env bash
# Makes the wine prefix the Windows tests run in, once per build tree. A 64-bit prefix runs
# both the 32-bit and the 64-bit programs. Safe to call from several places at once: the
# first caller makes it, the others wait for it.
set -euo pipefail
prefix=$1
mkdir -p "$(dirname "$prefix")"
exec 9>"$prefix.lock"
flock 9
if [ ! -f "$prefix/.ready" ]; then
  echo "making wine prefix $prefix (a few minutes where 32-bit code is emulated)"
  rm -rf "$prefix"
  WINEPREFIX=$prefix WINEARCH=win64 WINEDEBUG=-all /usr/lib/wine/wine64 wineboot --init >/dev/null 2>&1
  WINEPREFIX=$prefix /usr/lib/wine/wineserver -w
  touch "$prefix/.ready"
fi
echo "wine prefix $prefix is ready"
