#!/usr/bin/env bash
# A SHFolder.dll planted beside the program, with Wine told to prefer a native DLL of that
# name, must never be loaded by the folder lookup. The naive LoadLibraryA("SHFolder.dll")
# of the same probe does load it: the plant itself works. Then the same DLL, put in the
# prefix's system folder for one run, records what the folder lookup asks for: the
# machine-wide application-data folder, created if missing (0x8023), its default path
# (SHGFP_TYPE_DEFAULT, 1), no owner window and no token.
#   planted-shfolder.sh PROBE_EXE PLANTED_DLL WORK_DIR
set -u
probe=$1
planted=$2
work=$3
here=$(cd "$(dirname "$0")" && pwd)
rm -rf "$work"
mkdir -p "$work"
cp "$probe" "$work/probe.exe"
cp "$planted" "$work/SHFolder.dll"
marker="$work/planted-was-loaded"
export QV_PLANTED_MARKER="Z:${marker//\//\\}"
export WINEDLLOVERRIDES="shfolder=n,b;mscoree=;mshtml="
status=0

output=$("$here/wine-run.sh" "$work/probe.exe" 2>&1 | tr -d '\r')
echo "$output"
if [ -e "$marker" ]; then
  echo "FAIL: the folder lookup loaded the planted SHFolder.dll"; status=1
fi
if ! grep -qx 'folder: C:\\ProgramData' <<<"$output"; then
  echo "FAIL: the folder lookup did not give C:\\ProgramData"; status=1
fi

output=$("$here/wine-run.sh" "$work/probe.exe" --plain 2>&1 | tr -d '\r')
echo "$output"
if [ ! -e "$marker" ]; then
  echo "FAIL: the naive load did not load the plant either, so this test proves nothing"; status=1
fi
# shellcheck source=/dev/null
. "$QV_TESTBED/env"
system=$WINEPREFIX/drive_c/windows/system32/shfolder.dll
cp "$system" "$work/shfolder.dll.system"
cp "$planted" "$system"
output=$("$here/wine-run.sh" "$work/probe.exe" 2>&1 | tr -d '\r')
cp "$work/shfolder.dll.system" "$system"
echo "$output"
record=$(cat "$marker" 2>/dev/null)
echo "$record"
if ! grep -qx 'folder: C:\\planted' <<<"$output"; then
  echo "FAIL: the lookup did not use the SHFolder.dll of the system folder"; status=1
fi
if [ "$record" != "SHGetFolderPathA owner=0000000000000000 folder=0x8023 token=0000000000000000 flags=1" ]; then
  echo "FAIL: SHGetFolderPathA was not asked for folder 0x8023 with SHGFP_TYPE_DEFAULT"; status=1
fi
exit $status
