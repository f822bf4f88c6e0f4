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
art=$work/artefacts
# shellcheck source=setup-harness.sh
. "$here/setup-harness.sh"
start_prefix "$work/bed"

readonly X64=$(product_code HalcyonDemoX64)
readonly OLDER=$(product_code HalcyonOlder)
readonly NEWER=$(product_code HalcyonNewer)
readonly REGFOLDER=$(product_code HalcyonRegistryFolder)

echo "1. nothing installed"
run_setup "$setup" fresh
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
run_setup "$setup" again
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
run_setup "$setup" upgrade-yes y
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
run_setup "$setup" upgrade-no n
check "exit code" 0 "$exit_code"
check "question shown" "$QUESTION" "$(field boxes)"
check "no install call" 0 "$(field install-count)"
check "installed products unchanged" "$before" "$(installed)"
msi_remove "$OLDER"

echo "5. a newer version installed"
msi_install "$packages/HalcyonNewer.msi"
run_setup "$setup" newer
check "exit code" 0 "$exit_code"
check "boxes shown" "" "$(field boxes)"
check "property string" "$FRESH" "$(field install-properties)"
msi_remove "$X64"
msi_remove "$NEWER"

echo "6. arguments on the command line"
run_setup "$setup" arguments -- /x "$X64" /qn REINSTALL=ALL "QVSTSDATA=x"
check "exit code" 0 "$exit_code"
check "property string" "$FRESH" "$(field install-properties)"
check "product installed" yes "$(is_installed "$X64")"
msi_remove "$X64"

echo "7. an older version whose registered folder holds a double quote"
msi_install "$packages/HalcyonRegistryFolder.msi"
run_setup "$setup" quoted-folder y
located=$(received "$X64" OLDINSTALLATIONPATH)
check "exit code" 0 "$exit_code"
check "the folder arrives whole" 1 "$(grep -c 'x" QVSTSDATA="injected' <<<"$located")"
check "QVSTSDATA stays empty" "" "$(received "$X64" QVSTSDATA)"
check "property string" "$FRESH OLDINSTALLATIONPATH=\"${located//\"/\"\"}\"" "$(field install-properties)"
msi_remove "$X64"
msi_remove "$REGFOLDER"

cp "$art"/upgrade-yes-box1.png "$art/question-box.png" 2>/dev/null
finish "end to end"
