#!/usr/bin/env bash
# The 32-bit Windows tests run in 32-bit wine, a 32-bit Linux program. Some kernels are
# booted with 32-bit execution switched off; there the programs run through qemu's user
# mode emulation instead, registered for 32-bit x86 executables with binfmt_misc.
set -euo pipefail

works() { /lib/ld-linux.so.2 --version >/dev/null 2>&1; }

works && exit 0
if [ ! -e /lib/ld-linux.so.2 ]; then
  echo "error: no 32-bit loader; install the i386 packages first (scripts/install-deps.sh)" >&2
  exit 1
fi
if [ "$(id -u)" -ne 0 ]; then
  echo "error: this kernel cannot run 32-bit programs; run as root: sudo $0" >&2
  exit 1
fi
if ! dpkg-query -W -f='${Status}' qemu-user-static 2>/dev/null | grep -q 'install ok installed'; then
  echo "installing: qemu-user-static (this kernel runs no 32-bit programs itself)"
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends qemu-user-static >/dev/null
fi
binfmt=/proc/sys/fs/binfmt_misc
[ -e "$binfmt/register" ] || mount -t binfmt_misc binfmt_misc "$binfmt"
if [ ! -e "$binfmt/qemu-i386" ]; then
  magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
  mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
  echo ":qemu-i386:M::$magic:$mask:/usr/bin/qemu-i386-static:F" > "$binfmt/register"
fi
works || { echo "error: 32-bit programs still do not run" >&2; exit 1; }
echo "32-bit programs run through qemu-i386"
