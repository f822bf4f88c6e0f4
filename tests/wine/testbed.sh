#!/usr/bin/env bash
# The Wine test bed of one test run: a fresh prefix, a persistent wineserver and an Xvfb
# display (or the display named by QV_TESTBED_DISPLAY).
#   testbed.sh start DIR   |   testbed.sh stop DIR
# start writes DIR/env, which wine-run.sh and the test scripts source.
set -eu
action=$1
dir=$2
wine=/usr/lib/wine/wine64

start() {
  for tool in "$wine" /usr/bin/wineserver /usr/bin/Xvfb /usr/bin/xdotool; do
    [ -x "$tool" ] || { echo "testbed: $tool is missing; run scripts/install-deps.sh" >&2; exit 1; }
  done
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
export WINEARCH=win64
export DISPLAY=':$display'
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
  if ! timeout 120 "$wine" wineboot -i >"$dir/wineboot.log" 2>&1 </dev/null; then
    echo "testbed: wineboot failed" >&2; cat "$dir/wineboot.log" >&2; exit 1
  fi
  # The registry files appear only when the persistent server saves them; the folders are
  # there at once.
  [ -d "$WINEPREFIX/drive_c/windows/system32" ] || { echo "testbed: the prefix was not made" >&2; exit 1; }
  echo "testbed: prefix $WINEPREFIX, display $DISPLAY"
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
