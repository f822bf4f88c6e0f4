# What the Wine scripts that run the setup program share (sourced). The caller sets
# here (this folder), work (its work folder), list_products (list_products.exe) and
# packages (the fixture packages' folder) first.
# shellcheck shell=bash
wine=/usr/lib/wine/wine64  # until start_prefix names the prefix's own loader
# shellcheck source=boxes.sh
. "$here/boxes.sh"

# The fresh-install property string, the text of the upgrade question, and the Error box
# (as trace_fields.py prints it) when a file stands where the cache folder should be.
readonly FRESH='ACTION=INSTALL QVSTSDATA=""'
readonly CACHE_BLOCKED_BOX="File already exists. (0xb7)\\n\\nFailed to create folder 'C:\ProgramData\MSI Cache'."
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
# Ends the script with the count of checks; fails when one failed.
finish() {
  echo "$1: $((checks - failures)) passed, $failures failed"
  [ "$failures" -eq 0 ]
}

# start_prefix DIR [KIND]: a fresh Wine prefix of that kind (testbed.sh), wineserver and
# display in DIR; the artefacts of its runs go to $art. $after_stop, when set, runs after the
# prefix stops, also on exit.
start_prefix() {
  bed=$1
  "$here/testbed.sh" start "$bed" "${2:-win64}" >/dev/null || { echo "FAIL: no Wine prefix in $bed"; exit 1; }
  trap '"$here/testbed.sh" stop "$bed"; ${after_stop:-:}' EXIT
  # shellcheck source=/dev/null
  . "$bed/env"
  wine=$QV_WINE
  mkdir -p "$art"
}
stop_prefix() {
  "$here/testbed.sh" stop "$bed"
  ${after_stop:-:}
  trap - EXIT
}

# msiinfo ends its lines with CR LF.
product_code() { msiinfo export "$packages/$1.msi" Property | tr -d '\r' | grep -P '^ProductCode\t' | cut -f2; }
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

# run_setup EXE NAME [KEY...] -- [ARGS...]: runs the setup program EXE from $work with
# Windows Installer's calls and the boxes traced, and answers one box per KEY (y, n or
# Return; Return answers an "Error" box). While each box is open it runs $while_box_open
# when set. Sets $run and $exit_code.
run_setup() {
  local exe=$1
  run=$2
  shift 2
  local keys=()
  while [ $# -gt 0 ] && [ "$1" != "--" ]; do keys+=("$1"); shift; done
  [ $# -gt 0 ] && shift
  (cd "$work" && WINEDEBUG=trace+msi,trace+msgbox timeout "${QV_RUN_SECONDS:-120}" "$wine" "$exe" "$@" \
     >"$art/$run.out" 2>"$art/$run.trace") &
  local pid=$!
  local n=0
  for key in "${keys[@]}"; do
    n=$((n + 1))
    local caption="Quenvar Halcyon"
    [ "$key" == "Return" ] && caption="Error"
    answer_box "$caption" "$key" "$art/$run-box$n.png" "${while_box_open:-}" ||
      echo "  (no box to answer with $key)"
  done
  wait "$pid"
  exit_code=$?
}
