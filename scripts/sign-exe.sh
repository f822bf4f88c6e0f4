#!/usr/bin/env bash
# Signs an executable in place with Authenticode (SHA-256) by osslsigncode, from a PKCS#12
# file and a file holding its password; with a timestamp server when one is named. Checks
# the certificate first (readable with that password, not expired). On any failure it says
# why in one line and removes the executable, so that no unsigned file is taken for the
# signed one.
#   sign-exe.sh EXE PKCS12 PASSWORD_FILE [TIMESTAMP_URL]
#   sign-exe.sh --check PKCS12 PASSWORD_FILE      (only the certificate checks)
set -u
fail() { echo "sign-exe: $*" >&2; [ -n "${exe:-}" ] && rm -f "$exe" "$exe.signed"; exit 1; }

check_certificate() {  # PKCS12 PASSWORD_FILE
  [ -f "$1" ] || fail "$1: no such certificate file"
  [ -f "$2" ] || fail "$2: no such password file"
  local certificate
  certificate=$(openssl pkcs12 -in "$1" -passin "file:$2" -nokeys -clcerts 2>/dev/null) ||
    fail "$1: cannot be read with the password in $2 (wrong password or not a PKCS#12 file)"
  openssl x509 -noout -checkend 0 <<<"$certificate" >/dev/null 2>&1 ||
    fail "$1: the certificate has expired ($(openssl x509 -noout -enddate <<<"$certificate" | cut -d= -f2))"
}

if [ "${1:-}" = "--check" ]; then
  [ $# -eq 3 ] || { echo "usage: $0 --check PKCS12 PASSWORD_FILE" >&2; exit 2; }
  check_certificate "$2" "$3"
  exit 0
fi
[ $# -ge 3 ] && [ $# -le 4 ] || { echo "usage: $0 EXE PKCS12 PASSWORD_FILE [TIMESTAMP_URL]" >&2; exit 2; }
exe=$1
check_certificate "$2" "$3"
timestamp=()
[ -n "${4:-}" ] && timestamp=(-ts "$4")
rm -f "$exe.signed"
if ! output=$(osslsigncode sign -pkcs12 "$2" -readpass "$3" -h sha256 -n "Quenvar Halcyon" \
                "${timestamp[@]}" -in "$exe" -out "$exe.signed" 2>&1); then
  fail "$exe: osslsigncode could not sign it: $(tail -n 1 <<<"$output")"
fi
mv "$exe.signed" "$exe"
