#!/usr/bin/env bash
# What the emulated tests of the shipped 32-bit program need, beyond scripts/install-deps.sh:
# Debian's wine32 (i386 architecture) and qemu-user-static, binfmt_misc mounted, and an i386
# ELF entry that runs 32-bit programs under qemu-i386-static, registered and left disabled
# (tests/wine/i386-emulation.sh turns it on only around those tests: while it is on, wine64's
# prefix set-up emulates its 32-bit side too and becomes slow). Idempotent; needs root.
set -euo pipefail
# shellcheck source=apt-install.sh
. "$(dirname "$0")/apt-install.sh"
install_missing install-emulation qemu-user-static wine32:i386
sudo=""
[ "$(id -u)" -eq 0 ] || sudo=sudo

binfmt=/proc/sys/fs/binfmt_misc
[ -e "$binfmt/register" ] || $sudo mount -t binfmt_misc binfmt_misc "$binfmt"
if [ ! -e "$binfmt/qemu-i386" ]; then
  # 32-bit little-endian ELF executables and shared objects (qemu's own magic and mask). F:
  # the interpreter is opened now, so it works in any mount namespace.
  magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
  mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
  echo ":qemu-i386:M::$magic:$mask:/usr/bin/qemu-i386-static:F" | $sudo tee "$binfmt/register" >/dev/null
fi
echo 0 | $sudo tee "$binfmt/qemu-i386" >/dev/null
echo "install-emulation: wine32 and qemu-i386-static installed, $binfmt/qemu-i386 registered and disabled"
