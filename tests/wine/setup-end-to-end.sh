#!/usr/bin/env bash
# The setup program from start to end, in a Wine prefix of its own, against Wine's real
# Windows Installer. Each scenario runs the win64 setup executable with Windows Installer's
# calls traced, answers its boxes as a person would, and reads back what arrived: the
# property string in the trace, the properties the package recorded in the registry, and
# the products MsiEnumProductsA reports.
#   setup-end-to-end.sh SETUP_EXE LIST_PRODUCTS_EXE PACKAGES_DIR EMBEDDED_X64 WORK_DIR
set -u
setup=$1
list_products=$2
packages=$3
embedded=$4
work=$5
here=$(cd "$(dirname "$0")" && pwd)
wine=/usr/lib/wine/wine64
art=$work/artefacts

"$here/testbed.sh" start "$work/bed" >/dev/null || { echo "FAIL: no Wine prefix for the scenarios"; exit 1; }
trap '"$here/testbed.sh" stop "$work/bed"' EXIT
# shellcheck source=/dev/null
. "$work/bed/env"
# shellcheck source=boxes.sh
. "$here/boxes.sh"
mkdir -p "$art"
cp "$setup" "$work/QvHalcyonSetup.exe"

# msiinfo ends its lines with CR LF.
product_code() { msiinfo export "$packages/$1.msi" Property | tr -d '\r' | grep -P '^ProductCode\t' | cut -f2; }
readonly X64=$(product_code HalcyonDemoX64)
readonly OLDER=$(product_code HalcyonOlder)
readonly NEWER=$(product_code HalcyonNewer)
readonly REGFOLDER=$(product_code HalcyonRegistryFolder)
readonly FRESH='ACTION=INSTALL QVSTSDATA=""'
readonly QUESTION='The installer has detected that an older version of the program is installed on this machine. The installer will now remove the old version and replace it with the new one. All settings will be retained.\nDo you want to continue?'

failures=0
checks=0
check() {  # check DESCRIPTION EXPECTED ACTUAL
  checks=$((checks + 1))
  if [ "$2" == "$3" ]; then
    echo "  ok: $1"
  else
    failures=$((failures + 1))
    printf '  FAIL: %s\n    expected: %s\n    actual:   %s\n' "$1" "$2" "$3"
  fi
}
windows_path() { local p=${1//\//\\}; echo "Z:$p"; }
unix_path() { local p=${1#C:}; p=${p//\\//}; echo "$WINEPREFIX/drive_c$p"; }
msi_install() { "$wine" msiexec /i "$(windows_path "$1")" /qn >/dev/null 2>&1; }
msi_remove() { "$wine" msiexec /x "$1" /qn >/dev/null 2>&1; }
installed() { "$wine" "$list_products" 2>/dev/null | tr -d '\r' | cut -f1 | sort | tr '\n' ' '; }
is_installed() { grep -q "$1" <<<"$(installed)" && echo yes || echo no; }
received() {  # received PRODUCT NAME: the property value the package recorded
  "$wine" reg query "HKLM\\Software\\Quenvar\\Halcyon\\Received\\$1" /v "$2" 2>/dev/null | tr -d '\r' |
    sed -n "s/^ *$2 *REG_SZ *//p"
}
field() { python3 "$here/trace_fields.py" "$art/$run.trace" "$1"; }

# run_setup NAME [KEY...] -- [ARGS...]: runs the setup program and answers one box per KEY
# (y, n or Return). Sets $run and $exit_code.
run_setup() {
  run=$1
  shift
  local keys=()
  while [ $# -gt 0 ] && [ "$1" != "--" ]; do keys+=("$1"); shift; done
  [ $# -gt 0 ] && shift
  (cd "$work" && WINEDEBUG=trace+msi,trace+msgbox timeout 120 "$wine" QvHalcyonSetup.exe "$@" \
     >"$art/$run.out" 2>"$art/$run.trace") &
  local pid=$!
  local n=0
  for key in "${keys[@]}"; do
    n=$((n + 1))
    local caption="Quenvar Halcyon"
    [ "$key" == "Return" ] && caption="Error"
    answer_box "$caption" "$key" "$art/$run-box$n.png" || echo "  (no box to answer with $key)"
  done
  wait "$pid"
  exit_code=$?
}

echo "1. nothing installed"
run_setup fresh
check "exit code" 0 "$exit_code"
check "property string" "$FRESH" "$(field install-properties)"
check "boxes shown" "" "$(field boxes)"
check "product installed" yes "$(is_installed "$X64")"
check "QVSTSDATA received" "" "$(received "$X64" QVSTSDATA)"
package=$(field install-path)
check "package in a GUID folder of the cache" 1 \
  "$(grep -cE '^C:\\ProgramData\\MSI Cache\\\{[0-9A-F-]{36}\}\\QvHalcyonSetupENx64.msi$' <<<"$package")"
check "package equals the embedded one" same "$(cmp -s "$(unix_path "$package")" "$embedded" && echo same)"
first_package=$package

echo "2. the same product installed"
run_setup again
check "exit code" 0 "$exit_code"
check "property string" "ACTION=INSTALL REINSTALL=ALL REINSTALLMODE=vomus" "$(field install-properties)"
check "REINSTALL received" ALL "$(received "$X64" REINSTALL)"
check "REINSTALLMODE received" vomus "$(received "$X64" REINSTALLMODE)"
check "boxes shown" "" "$(field boxes)"
check "a new GUID folder" different "$([ "$(field install-path)" != "$first_package" ] && echo different)"
check "the first run's package stays" yes "$([ -f "$(unix_path "$first_package")" ] && echo yes)"
msi_remove "$X64"

echo "3. an older version installed, answered Yes"
msi_install "$packages/HalcyonOlder.msi"
check "older fixture installed" yes "$(is_installed "$OLDER")"
run_setup upgrade-yes y
check "exit code" 0 "$exit_code"
check "question shown" "$QUESTION" "$(field boxes)"
check "property string" "$FRESH OLDINSTALLATIONPATH=\"C:\\Program Files\\Quenvar Halcyon 1.0\\\"" "$(field install-properties)"
check "OLDINSTALLATIONPATH received" 'C:\Program Files\Quenvar Halcyon 1.0\' "$(received "$X64" OLDINSTALLATIONPATH)"
check "product installed" yes "$(is_installed "$X64")"
msi_remove "$X64"

echo "4. an older version installed, answered No"
# Wine's msi drops the whole UpgradeCodes key of a family when one member is removed, so the
# older version is registered anew.
msi_remove "$OLDER"
msi_install "$packages/HalcyonOlder.msi"
before=$(installed)
run_setup upgrade-no n
check "exit code" 0 "$exit_code"
check "question shown" "$QUESTION" "$(field boxes)"
check "no install call" 0 "$(field install-count)"
check "installed products unchanged" "$before" "$(installed)"
msi_remove "$OLDER"

echo "5. a newer version installed"
msi_install "$packages/HalcyonNewer.msi"
run_setup newer
check "exit code" 0 "$exit_code"
check "boxes shown" "" "$(field boxes)"
check "property string" "$FRESH" "$(field install-properties)"
msi_remove "$X64"
msi_remove "$NEWER"

echo "6. the package cannot be written or read"
cache="$WINEPREFIX/drive_c/ProgramData/MSI Cache"
mv "$cache" "$work/saved-cache"
echo "a file where the folder should be" >"$cache"
before=$(installed)
run_setup unreadable Return
check "exit code" 0 "$exit_code"
check "error text names the first property read and the relative path" 1 \
  "$(field boxes | grep -cE "^Failed to read 'UpgradeCode' property from file '\{[0-9A-F-]{36}\}\\\\QvHalcyonSetupENx64.msi'$")"
check "no install call" 0 "$(field install-count)"
check "installed products unchanged" "$before" "$(installed)"
rm -f "$cache"
mv "$work/saved-cache" "$cache"

echo "7. arguments on the command line"
run_setup arguments -- /x "$X64" /qn REINSTALL=ALL "QVSTSDATA=x"
check "exit code" 0 "$exit_code"
check "property string" "$FRESH" "$(field install-properties)"
check "product installed" yes "$(is_installed "$X64")"
msi_remove "$X64"

echo "8. an older version whose registered folder holds a double quote"
msi_install "$packages/HalcyonRegistryFolder.msi"
run_setup quoted-folder y
located=$(received "$X64" OLDINSTALLATIONPATH)
check "exit code" 0 "$exit_code"
check "the folder arrives whole" 1 "$(grep -c 'x" QVSTSDATA="injected' <<<"$located")"
check "QVSTSDATA stays empty" "" "$(received "$X64" QVSTSDATA)"
check "property string" "$FRESH OLDINSTALLATIONPATH=\"${located//\"/\"\"}\"" "$(field install-properties)"
msi_remove "$X64"
msi_remove "$REGFOLDER"

cp "$art"/upgrade-yes-box1.png "$art/question-box.png" 2>/dev/null
cp "$art"/unreadable-box1.png "$art/error-box.png" 2>/dev/null
echo "end to end: $((checks - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]
