#!/usr/bin/env bash
# The Wine test bed of one test run: a fresh prefix, a persistent wineserver and an Xvfb
# display (or the display named by QV_TESTBED_DISPLAY).
#   testbed.sh start DIR [KIND]   |   testbed.sh stop DIR
# KIND is win64 (default: wine64 alone), wow64 (wine64 with the emulated 32-bit side) or
# win32 (a pure 32-bit prefix, every process emulated); the last two need the i386 binfmt
# entry on (i386-emulation.sh), and win64 needs it off. start writes DIR/env, which
# wine-run.sh and the test scripts source; it names the loader as QV_WINE.
set -eu
action=$1
dir=$2
kind=${3:-win64}
entry=/proc/sys/fs/binfmt_misc/qemu-i386
case "$kind" in
  # The wait for the prefix, for one setup run and for its first box: an emulated process
  # spends about a minute of CPU starting.
  win64) wine=/usr/lib/wine/wine64; arch=win64; boot_seconds=120; run_seconds=120; box_seconds=30 ;;
  wow64) wine=/usr/lib/wine/wine64; arch=win64; boot_seconds=400; run_seconds=400; box_seconds=300 ;;
  win32) wine=/usr/lib/wine/wine; arch=win32; boot_seconds=1800; run_seconds=1500; box_seconds=1200 ;;
  *) echo "testbed: unknown kind $kind" >&2; exit 2 ;;
esac

start() {
  for tool in "$wine" /usr/bin/wineserver /usr/bin/Xvfb /usr/bin/xdotool; do
    [ -x "$tool" ] || { echo "testbed: $tool is missing; run scripts/install-deps.sh" >&2; exit 1; }
  done
  local emulating=no
  [ "$(head -n 1 "$entry" 2>/dev/null)" = "enabled" ] && emulating=yes
  if [ "$kind" = win64 ] && [ "$emulating" = yes ]; then
    echo "testbed: the i386 binfmt entry is on, so wineboot would emulate a 32-bit side and time out; turn it off with tests/wine/i386-emulation.sh off" >&2
    exit 1
  fi
  if [ "$kind" != win64 ] && [ "$emulating" = no ]; then
    echo "testbed: a $kind prefix runs 32-bit code, but the i386 binfmt entry is off (tests/wine/i386-emulation.sh on)" >&2
    exit 1
  fi
  stop || true
  rm -rf "$dir"
  mkdir -p "$dir"
  local display
  if [ -n "${QV_TESTBED_DISPLAY:-}" ]; then
    # A display of the user's: the boxes appear there.
    display=${QV_TESTBED_DISPLAY#:}
  else
    # A free display number: no socket and no lock file.
    display=90
    while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do display=$((display + 1)); done
    Xvfb ":$display" -screen 0 1280x800x24 -nolisten tcp >"$dir/xvfb.log" 2>&1 </dev/null &
    echo $! >"$dir/xvfb.pid"
    for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$display" ] && break; sleep 0.1; done
    [ -e "/tmp/.X11-unix/X$display" ] || { echo "testbed: Xvfb did not start on :$display" >&2; cat "$dir/xvfb.log" >&2; exit 1; }
  fi
  cat >"$dir/env" <<ENV
export WINEPREFIX='$dir/prefix'
export WINEDEBUG=-all
export WINEARCH=$arch
export QV_WINE=$wine
export QV_RUN_SECONDS=$run_seconds
export QV_BOX_SECONDS=$box_seconds
export DISPLAY=':$display'
# qemu-i386 with a reserved 4 GiB guest space: without it, Wine's 32-bit loader cannot map
# the shared user data page at 0x7ffe0000.
export QEMU_RESERVED_VA=0xffff0000
export LANG=C.UTF-8
export LC_ALL=C.UTF-8
# No Mono or Gecko installer prompts in a test prefix.
export WINEDLLOVERRIDES="\${WINEDLLOVERRIDES:-mscoree=;mshtml=}"
ENV
  # shellcheck source=/dev/null
  . "$dir/env"
  mkdir -p "$WINEPREFIX"
  # Persistent from the start, so that every later program starts in about a second.
  wineserver -p >/dev/null 2>&1 </dev/null
  local status=0
  timeout "$boot_seconds" "$wine" wineboot -i >"$dir/wineboot.log" 2>&1 </dev/null || status=$?
  if [ "$status" -ne 0 ] && [ "$status" -ne 124 ] && [ "$kind" != win64 ]; then
    # Under emulation the first program in a new prefix may give up (kernel32 not there yet)
    # while the prefix is still being made, and one of its processes may crash: Wine's fault
    # handling is unreliable there. Once more, on the prefix that was made.
    echo "testbed: wineboot ended with $status under emulation; once more" >&2
    status=0
    timeout "$boot_seconds" "$wine" wineboot -i >>"$dir/wineboot.log" 2>&1 </dev/null || status=$?
  fi
  if [ "$status" -ne 0 ]; then
    echo "testbed: wineboot failed ($status)" >&2; cat "$dir/wineboot.log" >&2; exit 1
  fi
  # The registry files appear only when the persistent server saves them; the folders are
  # there at once.
  [ -d "$WINEPREFIX/drive_c/windows/system32" ] || { echo "testbed: the prefix was not made" >&2; exit 1; }
  if [ "$kind" = wow64 ] && [ -z "$(ls "$WINEPREFIX/drive_c/windows/syswow64" 2>/dev/null)" ]; then
    echo "testbed: the WoW64 prefix has no 32-bit side (is wine32 installed?)" >&2; exit 1
  fi
  echo "testbed: $kind prefix $WINEPREFIX, display $DISPLAY"
}

stop() {
  if [ -f "$dir/env" ]; then
    # shellcheck source=/dev/null
    . "$dir/env"
    wineserver -k 2>/dev/null || true
  fi
  if [ -f "$dir/xvfb.pid" ]; then
    kill "$(cat "$dir/xvfb.pid")" 2>/dev/null || true
    rm -f "$dir/xvfb.pid"
  fi
}

case "$action" in
  start) start ;;
  stop) stop ;;
  *) echo "usage: $0 start|stop DIR" >&2; exit 2 ;;
esac
