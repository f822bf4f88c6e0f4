#!/usr/bin/env bash
# Ships the setup program: builds the i686 product from the product team's two packages in a
# folder of its own, checks it as a file (tests/pe/check_pe.py), signs and verifies it when a
# certificate is named, and only then leaves QvHalcyonSetup.exe and its SHA-256 in OUTDIR.
# Any failure stops it with one line naming the file and the cause; nothing is written to
# OUTDIR then.
#   scripts/ship.sh X64.msi X86.msi OUTDIR [--pkcs12 FILE --password-file FILE
#                   [--timestamp URL] [--ca CA_BUNDLE]]
# The signature is verified against CA_BUNDLE (default: the system's CA certificates).
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
fail() { echo "ship: $*" >&2; exit 1; }
usage() { sed -n 's/^#   \{0,1\}//p' "$0" | sed -n '/scripts\/ship.sh/,/CA_BUNDLE]]/p' >&2; exit 2; }

[ $# -ge 3 ] || usage
x64=$1 x86=$2 out=$3
shift 3
pkcs12="" password="" timestamp="" ca=/etc/ssl/certs/ca-certificates.crt
while [ $# -gt 0 ]; do
  case "$1" in
    --pkcs12) pkcs12=${2:-}; shift 2 ;;
    --password-file) password=${2:-}; shift 2 ;;
    --timestamp) timestamp=${2:-}; shift 2 ;;
    --ca) ca=${2:-}; shift 2 ;;
    *) usage ;;
  esac
done
if [ -n "$pkcs12" ] && [ -z "$password" ]; then fail "--pkcs12 needs --password-file"; fi

# The inputs first, before anything is built.
for package in "$x64" "$x86"; do [ -f "$package" ] || fail "$package: no such file"; done
x64=$(realpath "$x64") x86=$(realpath "$x86")
facts=$(/usr/bin/python3 "$root/packages/package_facts.py" "$x64" "$x86" 2>&1) || fail "$facts"
signing=()
if [ -n "$pkcs12" ]; then
  pkcs12=$(realpath "$pkcs12") password=$(realpath "$password")
  why=$("$root/scripts/sign-exe.sh" --check "$pkcs12" "$password" 2>&1) || fail "${why#sign-exe: }"
  signing=(-DHALCYON_SIGN_PKCS12="$pkcs12" -DHALCYON_SIGN_PASSWORD_FILE="$password"
           -DHALCYON_SIGN_TIMESTAMP_URL="$timestamp")
fi

build=$(mktemp -d /tmp/qv-ship-XXXXXX)
trap 'rm -rf "$build"' EXIT
cmake -S "$root" -B "$build" -G Ninja --toolchain "$root/cmake/mingw-i686.cmake" \
  -DCMAKE_BUILD_TYPE=MinSizeRel -DHALCYON_PACKAGE_X64="$x64" -DHALCYON_PACKAGE_X86="$x86" \
  "${signing[@]}" >"$build/configure.log" 2>&1 ||
  fail "configuring failed: $(grep -m 1 -A 2 'Error' "$build/configure.log" | tr -s ' \n' ' ')"
cmake --build "$build" --target QvHalcyonSetup >"$build/build.log" 2>&1 ||
  fail "building failed: $(grep -m 1 -E 'error|sign-exe' "$build/build.log" || tail -n 1 "$build/build.log")"
exe=$build/src/QvHalcyonSetup.exe
check=$(/usr/bin/python3 "$root/tests/pe/check_pe.py" "$exe" "$x64" "$x86" 2>&1) ||
  fail "the PE check failed: $(head -n 1 <<<"$check")"
echo "$check"
if [ -n "$pkcs12" ]; then
  verify=$(osslsigncode verify -CAfile "$ca" -in "$exe" 2>&1) ||
    fail "the signature does not verify against $ca: $(grep -m 1 -i 'fail\|error' <<<"$verify")"
  grep -E '^(Signature verification|Number of verified signatures)' <<<"$verify"
fi

mkdir -p "$out" || fail "$out: cannot be created"
cp "$exe" "$out/.QvHalcyonSetup.exe.partial" || fail "$out: cannot be written"
mv "$out/.QvHalcyonSetup.exe.partial" "$out/QvHalcyonSetup.exe"
(cd "$out" && sha256sum QvHalcyonSetup.exe >QvHalcyonSetup.exe.sha256)
echo "ship: $out/QvHalcyonSetup.exe ($(stat -c %s "$out/QvHalcyonSetup.exe") bytes, version ${facts%%;*}), $(cut -d' ' -f1 "$out/QvHalcyonSetup.exe.sha256")"
