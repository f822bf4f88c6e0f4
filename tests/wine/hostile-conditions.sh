#!/usr/bin/env bash
# The setup program under hostile conditions, one table row at a time, each in a fresh Wine
# prefix where the older version 1.0.4 of the family is installed first. Each row asserts
# what the user sees (the boxes, read from the trace, and the property string Windows
# Installer received) and, for every row, that the program ends with exit code 0 and that
# the older version is still installed with its files as they were.
#   hostile-conditions.sh SETUP_EXE SETUP_EMPTY SETUP_NOT_A_DATABASE SETUP_FAILING
#                         LIST_PRODUCTS_EXE CACHE_PROBE_EXE PARTIAL_MSI_DLL PACKAGES_DIR
#                         EMBEDDED_X64 NOT_A_DATABASE WORK_DIR
set -u
setup=$1
setup_empty=$2
setup_not_a_database=$3
setup_failing=$4
list_products=$5
cache_probe=$6
partial_msi=$7
packages=$8
embedded=$9
not_a_database=${10}
work=${11}
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=setup-harness.sh
. "$here/setup-harness.sh"

readonly X64=$(product_code HalcyonDemoX64)
readonly OLDER=$(product_code HalcyonOlder)
readonly FAILING=$(product_code HalcyonFailing)
readonly NEWER=$(product_code HalcyonNewer)
readonly OLD_FOLDER='C:\Program Files\Quenvar Halcyon 1.0\'
readonly UPGRADE="$FRESH OLDINSTALLATIONPATH=\"$OLD_FOLDER\""
readonly GUID='\{[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{12}\}'
read_error() { echo "Failed to read 'UpgradeCode' property from file '$1'"; }
version_of() { "$wine" "$list_products" 2>/dev/null | tr -d '\r' | grep "$1" | cut -f3; }

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
  check "the Error box names the cache folder and the system's reason" \
    "$CACHE_BLOCKED_BOX" "$(field boxes)"
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
  run_setup "$setup_empty" "$row" Return
  check "the Error box names the package file" 1 \
    "$(matches "^Failed to find the package for file 'C:\\\\ProgramData\\\\MSI Cache\\\\$GUID\\\\QvHalcyonSetupENx64.msi' in the setup program.\$" "$(field boxes)")"
  check "no install call" 0 "$(field install-count)"
  check "no GUID folder, no file" "" "$(find "$(cache)" -mindepth 1)"
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

# While the question is open, another process of the same user reads the GUID folder's
# security and tries to swap the package for another of the family (2.0), to delete or
# rename it and to rename its folder. Each attempt must fail, and Yes must install the
# genuine package.
attack_while_asking() {
  attack() {
    local folder="C:\\ProgramData\\MSI Cache\\$(guid_folders)"
    "$wine" "$cache_probe" dacl "$folder" 2>/dev/null | tr -d '\r' >"$art/dacl.txt"
    "$wine" "$cache_probe" dacl "C:\\ProgramData\\MSI Cache" 2>/dev/null | tr -d '\r' >"$art/cache-dacl.txt"
    "$wine" "$cache_probe" attack "$folder\\QvHalcyonSetupENx64.msi" \
      "$(windows_path "$packages/HalcyonNewer.msi")" 2>/dev/null | tr -d '\r' >"$art/attack.txt"
  }
  while_box_open=attack
  run_setup "$setup" "$row" y
  while_box_open=
  check "the question" "$QUESTION" "$(field boxes)"
  # Wine keeps a DACL only as Unix permissions: it reports SYSTEM and the owner, and drops
  # the protection flag and Administrators. What it can show: Everyone, who may read "MSI
  # Cache", has no entry on the GUID folder.
  check "the GUID folder: full control for SYSTEM and the user, nothing for Everyone" 1 \
    "$(matches '^D:[^W]*\(A;OICI;FA;;;SY\)[^W]*\(A;OICI;FA;;;S-1-5-21-[0-9-]+\)[^W]*$' "$(cat "$art/dacl.txt")")"
  check "its parent grants Everyone read, as Wine makes new folders" 1 \
    "$(matches ';;;WD\)' "$(cat "$art/cache-dacl.txt")")"
  check "six attacks tried, each refused" "6 0" \
    "$(grep -c ': refused' "$art/attack.txt") $(grep -c ': DONE' "$art/attack.txt")"
  check "the upgrade form" "$UPGRADE" "$(field install-properties)"
  check "the genuine product is installed" "yes 1.2.0.0" "$(is_installed "$X64") $(version_of "$X64")"
  check "nothing of the other package is installed" no "$(is_installed "$NEWER")"
  check "the package in the cache is the embedded one" same \
    "$(cmp -s "$(cache)/$(guid_folders)/QvHalcyonSetupENx64.msi" "$embedded" && echo same)"
}

# "MSI Cache" on a 4 MiB volume: the 8.7 MB package cannot fit. Mounting needs root, which
# CI has; the row fails, saying so, where the mount is refused.
full_disk() {
  mkdir -p "$(cache)"
  if ! mount -t tmpfs -o size=4m qv-full-disk "$(cache)" 2>"$art/mount.txt"; then
    check "a 4 MiB tmpfs mounted on the cache folder (needs root)" mounted \
      "refused: $(cat "$art/mount.txt")"
    return
  fi
  mounted=$(cache)
  run_setup "$setup" "$row" Return
  check "the Error box names the file and the full disk" 1 \
    "$(matches "\(0x70\)\\\\n\\\\nFailed to write file 'C:\\\\ProgramData\\\\MSI Cache\\\\$GUID\\\\QvHalcyonSetupENx64.msi': [0-9]+ of $(stat -c %s "$embedded") bytes written.\$" "$(field boxes)")"
  check "no install call" 0 "$(field install-count)"
  check "no cut package and no GUID folder left" "" "$(find "$(cache)" -mindepth 1)"
}

msi_dll_missing() {
  WINEDLLOVERRIDES="msi=;$WINEDLLOVERRIDES" run_setup "$setup" "$row" Return
  check "the Error box names msi.dll and the system's reason" 1 \
    "$(matches "\\(0x7e\\)\\\\n\\\\nFailed to load 'msi.dll'.\$" "$(field boxes)")"
  check "nothing extracted" "" "$(guid_folders)"
}

msi_entry_missing() {
  # For this one run, the system folder's msi.dll is one that lacks the second entry.
  local system=$WINEPREFIX/drive_c/windows/system32/msi.dll
  cp "$system" "$art/msi.dll.system"
  cp "$partial_msi" "$system"
  WINEDLLOVERRIDES="msi=n;$WINEDLLOVERRIDES" run_setup "$setup" "$row" Return
  cp "$art/msi.dll.system" "$system"
  check "the Error box names the missing entry and the system's reason" 1 \
    "$(matches "\\(0x7f\\)\\\\n\\\\nFailed to find entry 'MsiEnumRelatedProductsA' in 'msi.dll'.\$" "$(field boxes)")"
  check "nothing extracted" "" "$(guid_folders)"
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
attack_while_asking|another process attacks the package while the question is open
full_disk|the package cache folder is on a full volume
msi_dll_missing|msi.dll cannot be loaded
msi_entry_missing|msi.dll lacks an entry the setup program calls
not_a_database|a file that is not a database is embedded in place of the package
two_runs|two setup runs one after the other
install_fails|Windows Installer fails the install (a package that fails on purpose)"

# A volume mounted by a row is let go whatever happens.
mounted=
release_mount() { if [ -n "$mounted" ]; then umount "$mounted" && mounted=; fi; }
after_stop=release_mount
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
