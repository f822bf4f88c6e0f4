#!/usr/bin/env bash
# Signing, end to end, with a throw-away CA: scripts/ship.sh signs the setup program and
# verifies it; the signature verifies against that CA with osslsigncode, the signed file
# passes the PE check, and one changed byte in an embedded package breaks the signature.
# Then the bad inputs: each stops the script with one line naming the file and the cause,
# and leaves nothing in the output folder.
#   signing.sh PACKAGES_DIR WORK_DIR
set -u
root=$(cd "$(dirname "$0")/../.." && pwd)
packages=$1
work=$2
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=throwaway-ca.sh
. "$here/throwaway-ca.sh"
rm -rf "$work"
mkdir -p "$work"
work=$(realpath "$work")
x64=$(realpath "$packages/HalcyonDemoX64.msi")
x86=$(realpath "$packages/HalcyonDemoX86.msi")
ca=$work/ca
make_certificates "$ca" || { echo "FAIL: no throw-away certificates"; exit 1; }
failures=0
checks=0
check() {  # check DESCRIPTION EXPECTED ACTUAL
  checks=$((checks + 1))
  if [ "$2" == "$3" ]; then echo "  ok: $1"; else
    failures=$((failures + 1)); printf '  FAIL: %s\n    expected: %s\n    actual:   %s\n' "$1" "$2" "$3"; fi
}

echo "1. signed and verified"
"$root/scripts/ship.sh" "$x64" "$x86" "$work/signed" --pkcs12 "$ca/signing.p12" \
  --password-file "$ca/password.txt" --ca "$ca/ca.pem" >"$work/ship.log" 2>&1
check "ship.sh signs, verifies and ships" 0 "$?"
exe=$work/signed/QvHalcyonSetup.exe
verify=$(osslsigncode verify -CAfile "$ca/ca.pem" -in "$exe" 2>&1)
echo "$verify" | grep -E '^(Signature verification|Number of verified)|Subject:' | sed 's/^/    /'
check "osslsigncode verifies it against the throw-away CA" "Signature verification: ok" \
  "$(grep -m 1 '^Signature verification' <<<"$verify")"
check "SHA-256 digests" "Message digest algorithm  : SHA256" "$(grep -m 1 '^Message digest algorithm' <<<"$verify")"
check "the SHA-256 file matches" ok "$(cd "$work/signed" && sha256sum -c --quiet QvHalcyonSetup.exe.sha256 && echo ok)"
/usr/bin/python3 "$root/tests/pe/check_pe.py" "$exe" "$x64" "$x86" >"$work/pe.log" 2>&1
check "the signed file passes the PE check" 0 "$?"
/usr/bin/python3 - "$exe" "$x64" "$work/tampered.exe" <<'PY'
import sys
exe, package, out = (open(sys.argv[1], "rb").read(), open(sys.argv[2], "rb").read(), sys.argv[3])
start = exe.find(package[:4096])
changed = bytearray(exe)
changed[start + len(package) // 2] ^= 0xFF
open(out, "wb").write(changed)
PY
check "one changed byte in package 129 breaks the signature" "Signature verification: failed" \
  "$(osslsigncode verify -CAfile "$ca/ca.pem" -in "$work/tampered.exe" 2>&1 | grep -m 1 '^Signature verification')"

echo "2. bad input stops the script with one line and leaves nothing"
cp "$x64" "$work/x.msi"
msibuild "$work/x.msi" -q "UPDATE \`Property\` SET \`Value\`='1.2.x' WHERE \`Property\`='ProductVersion'"
cp "$x64" "$work/big.msi"
msibuild "$work/big.msi" -q "UPDATE \`Property\` SET \`Value\`='70000.0.0.0' WHERE \`Property\`='ProductVersion'"
cp "$x64" "$work/two.msi"
msibuild "$work/two.msi" -q "UPDATE \`Property\` SET \`Value\`='1.2' WHERE \`Property\`='ProductVersion'"
echo "wrong" >"$work/wrong.txt"
# name | arguments after the output folder | what the line must say
while IFS='|' read -r name x64arg x86arg extra expected; do
  out=$work/out-$name
  # shellcheck disable=SC2086
  message=$("$root/scripts/ship.sh" "$x64arg" "$x86arg" "$out" $extra 2>&1)
  status=$?
  echo "    $message"
  check "$name: stops" 1 "$status"
  check "$name: one line" 1 "$(wc -l <<<"$message")"
  check "$name: says the cause" 1 "$(grep -cF -- "$expected" <<<"$message")"
  check "$name: nothing in the output folder" "" "$(ls -A "$out" 2>/dev/null)"
done <<ROWS
missing package|$work/none.msi|$x86||$work/none.msi: no such file
not a database|$root/packages/NotADatabase.msi|$x86||NotADatabase.msi: not a Windows Installer database
version with a letter|$work/x.msi|$work/x.msi||x.msi: ProductVersion '1.2.x' is not two to four dot-separated numbers
version too large|$work/big.msi|$work/big.msi||big.msi: ProductVersion '70000.0.0.0' has a part above 65535
versions differ|$x64|$work/two.msi||the packages disagree on ProductVersion: $x64 has '1.2.0.0', $work/two.msi has '1.2'
wrong password|$x64|$x86|--pkcs12 $ca/signing.p12 --password-file $work/wrong.txt|signing.p12: cannot be read with the password in $work/wrong.txt
expired certificate|$x64|$x86|--pkcs12 $ca/expired.p12 --password-file $ca/password.txt|expired.p12: the certificate has expired
ROWS

echo "signing: $((checks - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]
