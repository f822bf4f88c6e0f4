#!/usr/bin/env bash
# The main job: builds the setup program, runs it in a fresh Wine prefix as a user would
# (under Xvfb when there is no display; on the user's display otherwise), and prints what
# happened: the extracted package, whether it equals the embedded one, and the Halcyon
# products Windows Installer now reports as installed.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
wine=/usr/lib/wine/wine64

scripts/install-deps.sh >/dev/null
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target QvHalcyonSetup list_products >/dev/null
setup=$root/build/win64/src/QvHalcyonSetup.exe
embedded=$(sed -n 's/^QV_EMBEDDED_X64:INTERNAL=//p' build/win64/CMakeCache.txt)

bed=$root/build/demo
if [ -n "${DISPLAY:-}" ] && xdotool getmouselocation >/dev/null 2>&1; then
  export QV_TESTBED_DISPLAY=$DISPLAY
  echo "demo: running on your display $DISPLAY"
else
  unset QV_TESTBED_DISPLAY
  echo "demo: no display; running under Xvfb"
fi
tests/wine/testbed.sh start "$bed" >/dev/null
trap 'tests/wine/testbed.sh stop "$bed"' EXIT
# shellcheck source=/dev/null
. "$bed/env"
# shellcheck source=../tests/wine/boxes.sh
. tests/wine/boxes.sh

echo "demo: starting $setup in the fresh prefix $WINEPREFIX"
(cd "$bed" && WINEDEBUG=trace+msgbox "$wine" "$setup" >"$bed/setup.out" 2>"$bed/setup.trace") &
pid=$!
if [ -z "${QV_TESTBED_DISPLAY:-}" ]; then
  # Nobody can click under Xvfb: should an "Error" box appear, it is photographed and closed.
  while kill -0 "$pid" 2>/dev/null; do
    if xdotool search --name '^Error$' >/dev/null 2>&1; then
      answer_box Error Return "$bed/error-box.png" && echo "demo: an Error box appeared (see $bed/error-box.png)"
    fi
    sleep 0.5
  done
fi
wait "$pid" && code=0 || code=$?
echo "demo: the setup program ended with exit code $code"
grep -o 'MSGBOX_OnInit .*' "$bed/setup.trace" | sed 's/^MSGBOX_OnInit /demo: box shown: /' || true

cache="$WINEPREFIX/drive_c/ProgramData/MSI Cache"
package=$(find "$cache" -name '*.msi' -printf '%T@ %p\n' 2>/dev/null | sort -n | tail -n 1 | cut -d' ' -f2-)
if [ -n "$package" ]; then
  windows=${package#"$WINEPREFIX/drive_c"}
  echo "demo: extracted package: C:${windows//\//\\}"
  echo "demo: size: $(stat -c %s "$package") bytes"
  if cmp -s "$package" "$embedded"; then
    echo "demo: it equals the embedded package $embedded"
  else
    echo "demo: it DIFFERS from the embedded package $embedded"
  fi
else
  echo "demo: no package was extracted below $cache"
fi

echo "demo: Halcyon products Windows Installer reports as installed:"
"$wine" "$root/build/win64/src/list_products.exe" 2>/dev/null | tr -d '\r' | grep -F 'Quenvar Halcyon' |
  awk -F'\t' '{ printf "  %s  version %s  in %s\n", $1, $3, $4 }' || echo "  none"
