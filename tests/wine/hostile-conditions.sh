#!/usr/bin/env bash
# The setup program under hostile conditions, one table row at a time, each in a fresh Wine
# prefix where the older version 1.0.4 of the family is installed first. Each row asserts
# what the user sees (the boxes, read from the trace, and the property string Windows
# Installer received) and, for every row, that the program ends with exit code 0 and that
# the older version is still installed with its files as they were.
#   hostile-conditions.sh SETUP_EXE SETUP_EMPTY SETUP_NOT_A_DATABASE SETUP_FAILING
#                         LIST_PRODUCTS_EXE PACKAGES_DIR EMBEDDED_X64 NOT_A_DATABASE WORK_DIR
set -u
setup=$1
setup_empty=$2
setup_not_a_database=$3
setup_failing=$4
list_products=$5
packages=$6
embedded=$7
not_a_database=$8
work=$9
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=setup-harness.sh
. "$here/setup-harness.sh"

readonly X64=$(product_code HalcyonDemoX64)
readonly OLDER=$(product_code HalcyonOlder)
readonly FAILING=$(product_code HalcyonFailing)
readonly OLD_FOLDER='C:\Program Files\Quenvar Halcyon 1.0\'
readonly UPGRADE="$FRESH OLDINSTALLATIONPATH=\"$OLD_FOLDER\""
readonly GUID='\{[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{12}\}'
read_error() { echo "Failed to read 'UpgradeCode' property from file '$1'"; }

cache() { echo "$WINEPREFIX/drive_c/ProgramData/MSI Cache"; }
guid_folders() { find "$(cache)" -mindepth 1 -maxdepth 1 -type d -printf '%f\n' 2>/dev/null | sort; }
# What was installed before a row: the products other than the demo, and the older
# version's files and registry record.
snapshot() {
  installed | tr ' ' '\n' | grep -v "$X64"
  (cd "$(unix_path "$OLD_FOLDER")" 2>/dev/null && find . -type f -exec md5sum {} + | sort)
  received "$OLDER" Version
}
matches() { grep -cE "$1" <<<"$2"; }

# The rows. Each runs the setup program once or more and checks what is particular to it.

cache_blocked_by_file() {
  mkdir -p "$(dirname "$(cache)")"
  echo "a file where the folder should be" >"$(cache)"
  run_setup "$setup" "$row" Return
  check "the Error box names the first property read and the relative path" 1 \
    "$(matches "^$(read_error "$GUID\\\\QvHalcyonSetupENx64.msi")\$" "$(field boxes)")"
  check "no install call" 0 "$(field install-count)"
  check "the blocking file is untouched" "a file where the folder should be" "$(cat "$(cache)")"
  check "nothing written to the current folder" "" "$(find "$work" -maxdepth 1 -name '{*')"
}

# Runs EXE, whose package cannot be read as a database, and checks that the Error box names
# the extracted file and that nothing was installed. Sets $folder to the new GUID folder.
run_with_unreadable_package() {
  run_setup "$1" "$row" Return
  folder=$(guid_folders)
  check "one GUID folder" 1 "$(matches "^$GUID\$" "$folder")"
  check "the Error box names the extracted file" \
    "$(read_error "C:\\ProgramData\\MSI Cache\\$folder\\QvHalcyonSetupENx64.msi")" "$(field boxes)"
  check "no install call" 0 "$(field install-count)"
}

empty_package() {
  run_with_unreadable_package "$setup_empty"
  check "the extracted file is empty" 0 "$(stat -c %s "$(cache)/$folder/QvHalcyonSetupENx64.msi")"
}

registration_without_version_and_folder() {
  # Wine keeps VersionString as DisplayVersion, in the product's install properties and in
  # its Uninstall entry.
  local squished
  squished=$(python3 -c 'import sys; g = sys.argv[1].strip("{}").replace("-", "")
print(g[7::-1] + g[11:7:-1] + g[15:11:-1] + "".join(g[i + 1] + g[i] for i in range(16, 32, 2)))' "$OLDER")
  local key
  for key in "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Installer\\UserData\\S-1-5-18\\Products\\$squished\\InstallProperties" \
             "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\$OLDER"; do
    for value in DisplayVersion VersionString InstallLocation; do
      "$wine" reg delete "$key" /v "$value" /f >/dev/null 2>&1
    done
    check "no InstallLocation registered" 1 \
      "$("$wine" reg query "$key" /v InstallLocation >/dev/null 2>&1 || echo 1)"
  done
  check "Windows Installer reports no version" "" \
    "$("$wine" "$list_products" | tr -d '\r' | grep "$OLDER" | cut -f3)"
  run_setup "$setup" "$row"
  check "no question: a product without a version is not older" "" "$(field boxes)"
  check "the fresh form, without the old folder" "$FRESH" "$(field install-properties)"
  check "the package is installed" yes "$(is_installed "$X64")"
}

not_a_database() {
  run_with_unreadable_package "$setup_not_a_database"
  check "the extracted file is the embedded one" same \
    "$(cmp -s "$(cache)/$folder/QvHalcyonSetupENx64.msi" "$not_a_database" && echo same)"
}

two_runs() {
  run_setup "$setup" "$row-first" y
  check "first run: the question" "$QUESTION" "$(field boxes)"
  check "first run: the upgrade form" "$UPGRADE" "$(field install-properties)"
  check "first run: exit code" 0 "$exit_code"
  local first_path
  first_path=$(field install-path)
  run_setup "$setup" "$row"
  # Both the demo and the older version are now related products; Windows Installer lists
  # the demo first (its packed code sorts first), which is not older than the package.
  check "second run: no question" "" "$(field boxes)"
  check "second run: a reinstall" "ACTION=INSTALL REINSTALL=ALL REINSTALLMODE=vomus" \
    "$(field install-properties)"
  check "two GUID folders" 2 "$(guid_folders | grep -cE "^$GUID\$")"
  check "the second run used the other one" different \
    "$([ "$(field install-path)" != "$first_path" ] && echo different)"
  local folder same=0
  for folder in $(guid_folders); do
    cmp -s "$(cache)/$folder/QvHalcyonSetupENx64.msi" "$embedded" && same=$((same + 1))
  done
  check "each folder holds the whole package" 2 "$same"
  check "the product is still installed" yes "$(is_installed "$X64")"
}

install_fails() {
  # Windows Installer shows the custom action's text in its own box, captioned "Error";
  # the setup program shows nothing after it.
  run_setup "$setup_failing" "$row" y Return
  check "the question, then Windows Installer's error, and nothing more" \
    "$QUESTION"$'\n'"Quenvar Halcyon fails on purpose." "$(field boxes)"
  check "Windows Installer was called with the upgrade form" "$UPGRADE" "$(field install-properties)"
  check "the failing package is not installed" no "$(is_installed "$FAILING")"
  check "no folder of the failed install is left" no \
    "$([ -e "$(unix_path 'C:\Program Files\Quenvar Halcyon Failing')" ] && echo yes || echo no)"
  check "the package stays in the cache" 1 "$(guid_folders | grep -cE "^$GUID\$")"
}

# name | what it is
rows="cache_blocked_by_file|the cache folder is blocked by a file
empty_package|the embedded package resource holds no bytes
registration_without_version_and_folder|the older version's registration lacks VersionString and InstallLocation
not_a_database|a file that is not a database is embedded in place of the package
two_runs|two setup runs one after the other
install_fails|Windows Installer fails the install (a package that fails on purpose)"

n=0
while IFS='|' read -r row description; do
  n=$((n + 1))
  # QV_ROWS=name,name runs only those rows (while working on one).
  [ -n "${QV_ROWS:-}" ] && [[ ",$QV_ROWS," != *",$row,"* ]] && continue
  echo "$n. $description"
  art=$work/artefacts/$row
  rm -rf "$art"
  start_prefix "$work/bed"
  msi_install "$packages/HalcyonOlder.msi"
  check "precondition: the older version is installed" yes "$(is_installed "$OLDER")"
  before=$(snapshot)
  "$row"
  check "exit code" 0 "$exit_code"
  check "what was installed before is still there" "$before" "$(snapshot)"
  stop_prefix
done <<<"$rows"

finish "hostile conditions"
