#!/usr/bin/env bash
# The setup program from start to end, in a Wine prefix of its own, against Wine's real
# Windows Installer. Each scenario runs the setup executable with Windows Installer's calls
# traced, answers its boxes as a person would, and reads back what arrived: the property
# string in the trace, the properties the package recorded in the registry, and the
# products MsiEnumProductsA reports.
#   setup-end-to-end.sh SETUP_EXE LIST_PRODUCTS_EXE PACKAGES_DIR EMBEDDED WORK_DIR
# The environment may choose:
#   QV_PREFIX_KIND  win64 (default), wow64 or win32: the prefix (testbed.sh); the last two
#                   run 32-bit code and need the i386 binfmt entry on
#   QV_PACKAGE      x64 (default) or x86: the package the program must pick, EMBEDDED's
#   QV_SCENARIOS    the scenarios to run, by name, comma-separated (default: all but
#                   error_box, which the hostile conditions cover on win64)
set -u
setup=$1
list_products=$2
packages=$3
embedded=$4
work=$5
here=$(cd "$(dirname "$0")" && pwd)
art=$work/artefacts
# shellcheck source=setup-harness.sh
. "$here/setup-harness.sh"
kind=${QV_PREFIX_KIND:-win64}
bits=${QV_PACKAGE:-x64}
scenarios=${QV_SCENARIOS:-fresh,again,upgrade_yes,upgrade_no,newer,arguments,quoted_folder}
echo "prefix: $kind, package: $bits, scenarios: $scenarios"
[ -f "$list_products" ] || { echo "FAIL: no $list_products (the win64 preset builds it)"; exit 1; }
start_prefix "$work/bed" "$kind"

readonly X64=$(product_code HalcyonDemoX64)
readonly X86=$(product_code HalcyonDemoX86)
readonly OLDER=$(product_code HalcyonOlder)
readonly NEWER=$(product_code HalcyonNewer)
readonly REGFOLDER=$(product_code HalcyonRegistryFolder)
readonly FILE=QvHalcyonSetupEN$bits.msi
if [ "$bits" = x86 ]; then PRODUCT=$X86; else PRODUCT=$X64; fi
readonly PRODUCT

# The scenarios. Each leaves the prefix as it found it, except fresh, which leaves the
# product installed for again.

fresh() {
  run_setup "$setup" fresh
  check "exit code" 0 "$exit_code"
  check "property string" "$FRESH" "$(field install-properties)"
  check "boxes shown" "" "$(field boxes)"
  check "product installed" yes "$(is_installed "$PRODUCT")"
  check "QVSTSDATA received" "" "$(received "$PRODUCT" QVSTSDATA)"
  package=$(field install-path)
  check "package in a GUID folder of the cache" 1 \
    "$(grep -cE "^C:\\\\ProgramData\\\\MSI Cache\\\\\\{[0-9A-F-]{36}\\}\\\\$FILE\$" <<<"$package")"
  check "package equals the embedded one" same "$(cmp -s "$(unix_path "$package")" "$embedded" && echo same)"
  first_package=$package
}

again() {
  run_setup "$setup" again
  check "exit code" 0 "$exit_code"
  check "property string" "ACTION=INSTALL REINSTALL=ALL REINSTALLMODE=vomus" "$(field install-properties)"
  check "REINSTALL received" ALL "$(received "$PRODUCT" REINSTALL)"
  check "REINSTALLMODE received" vomus "$(received "$PRODUCT" REINSTALLMODE)"
  check "boxes shown" "" "$(field boxes)"
  check "a new GUID folder" different "$([ "$(field install-path)" != "$first_package" ] && echo different)"
  check "the first run's package stays" yes "$([ -f "$(unix_path "$first_package")" ] && echo yes)"
  msi_remove "$PRODUCT"
}

upgrade_yes() {
  msi_install "$packages/HalcyonOlder.msi"
  check "older fixture installed" yes "$(is_installed "$OLDER")"
  run_setup "$setup" upgrade-yes y
  check "exit code" 0 "$exit_code"
  check "question shown" "$QUESTION" "$(field boxes)"
  check "property string" "$FRESH OLDINSTALLATIONPATH=\"C:\\Program Files\\Quenvar Halcyon 1.0\\\"" "$(field install-properties)"
  check "OLDINSTALLATIONPATH received" 'C:\Program Files\Quenvar Halcyon 1.0\' "$(received "$PRODUCT" OLDINSTALLATIONPATH)"
  check "product installed" yes "$(is_installed "$PRODUCT")"
  cp "$art"/upgrade-yes-box1.png "$art/question-box.png" 2>/dev/null
  msi_remove "$PRODUCT"
  # Wine's msi drops the whole UpgradeCodes key of a family when one member is removed.
  msi_remove "$OLDER"
}

upgrade_no() {
  msi_install "$packages/HalcyonOlder.msi"
  before=$(installed)
  run_setup "$setup" upgrade-no n
  check "exit code" 0 "$exit_code"
  check "question shown" "$QUESTION" "$(field boxes)"
  check "no install call" 0 "$(field install-count)"
  check "installed products unchanged" "$before" "$(installed)"
  msi_remove "$OLDER"
}

newer() {
  msi_install "$packages/HalcyonNewer.msi"
  run_setup "$setup" newer
  check "exit code" 0 "$exit_code"
  check "boxes shown" "" "$(field boxes)"
  check "property string" "$FRESH" "$(field install-properties)"
  msi_remove "$PRODUCT"
  msi_remove "$NEWER"
}

arguments() {
  run_setup "$setup" arguments -- /x "$PRODUCT" /qn REINSTALL=ALL "QVSTSDATA=x"
  check "exit code" 0 "$exit_code"
  check "property string" "$FRESH" "$(field install-properties)"
  check "product installed" yes "$(is_installed "$PRODUCT")"
  msi_remove "$PRODUCT"
}

quoted_folder() {
  msi_install "$packages/HalcyonRegistryFolder.msi"
  run_setup "$setup" quoted-folder y
  located=$(received "$PRODUCT" OLDINSTALLATIONPATH)
  check "exit code" 0 "$exit_code"
  check "the folder arrives whole" 1 "$(grep -c 'x" QVSTSDATA="injected' <<<"$located")"
  check "QVSTSDATA stays empty" "" "$(received "$PRODUCT" QVSTSDATA)"
  check "property string" "$FRESH OLDINSTALLATIONPATH=\"${located//\"/\"\"}\"" "$(field install-properties)"
  msi_remove "$PRODUCT"
  msi_remove "$REGFOLDER"
}

error_box() {
  local cache="$WINEPREFIX/drive_c/ProgramData/MSI Cache"
  rm -rf "$cache"
  echo "a file where the folder should be" >"$cache"
  run_setup "$setup" error-box Return
  check "exit code" 0 "$exit_code"
  check "the Error box names the cache folder and the system's reason" \
    "$CACHE_BLOCKED_BOX" "$(field boxes)"
  check "no install call" 0 "$(field install-count)"
  rm -f "$cache"
}

# name | what it is
descriptions="fresh|nothing installed
again|the same product installed
upgrade_yes|an older version installed, answered Yes
upgrade_no|an older version installed, answered No
newer|a newer version installed
arguments|arguments on the command line
quoted_folder|an older version whose registered folder holds a double quote
error_box|the cache folder is blocked by a file: the Error box"

n=0
while IFS='|' read -r scenario description; do
  n=$((n + 1))
  [[ ",$scenarios," == *",$scenario,"* ]] || continue
  echo "$n. $description"
  started=$SECONDS
  "$scenario"
  echo "  ($((SECONDS - started)) s)"
done <<<"$descriptions"

finish "end to end ($kind)"
