#!/usr/bin/env bash
# Turns the i386 binfmt entry (registered by scripts/install-emulation.sh) on or off, or says
# whether it is on. While it is on, 32-bit programs run under qemu-i386-static, and wine64's
# prefix set-up emulates its 32-bit side too: turn it on only around the emulated tests.
#   i386-emulation.sh on | off | status
set -u
entry=/proc/sys/fs/binfmt_misc/qemu-i386
case "${1:-}" in
  on)
    if [ ! -e "$entry" ]; then
      echo "i386-emulation: $entry is not registered; run scripts/install-emulation.sh" >&2
      exit 1
    fi
    echo 1 >"$entry" ;;
  off) [ -e "$entry" ] && echo 0 >"$entry"; exit 0 ;;
  status) [ -e "$entry" ] && head -n 1 "$entry" || echo "not registered" ;;
  *) echo "usage: $0 on|off|status" >&2; exit 2 ;;
esac
