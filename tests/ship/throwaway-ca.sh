# A throw-away certificate authority for the signing tests (sourced): make_certificates DIR
# leaves in DIR ca.pem, password.txt, signing.p12 (a code-signing certificate valid for two
# days) and expired.p12 (one that expired in 2020), both under that password.
# shellcheck shell=bash
make_certificates() {
  local dir=$1
  mkdir -p "$dir"
  (
    cd "$dir" || exit 1
    echo "throw-away $RANDOM" >password.txt
    openssl req -x509 -newkey rsa:2048 -nodes -keyout ca.key -out ca.pem -days 2 \
      -subj "/CN=Quenvar Throw-away CA" -addext basicConstraints=critical,CA:TRUE \
      -addext keyUsage=critical,keyCertSign,cRLSign 2>/dev/null || exit 1
    openssl req -newkey rsa:2048 -nodes -keyout signing.key -out signing.csr \
      -subj "/CN=Quenvar Throw-away Signing" 2>/dev/null || exit 1
    cat >ca.cnf <<'CNF'
[ca]
default_ca = throwaway
[throwaway]
database = index.txt
unique_subject = no
new_certs_dir = .
serial = serial
default_md = sha256
policy = any
x509_extensions = codesigning
[any]
commonName = supplied
[codesigning]
basicConstraints = CA:FALSE
keyUsage = critical, digitalSignature
extendedKeyUsage = codeSigning
CNF
    : >index.txt
    echo 01 >serial
    local name start end
    for name in signing expired; do
      if [ "$name" = signing ]; then start=$(date -u -d '-1 hour' +%Y%m%d%H%M%SZ); end=$(date -u -d '+2 days' +%Y%m%d%H%M%SZ)
      else start=20200101000000Z; end=20200102000000Z; fi
      openssl ca -batch -config ca.cnf -cert ca.pem -keyfile ca.key -in signing.csr -out "$name.pem" \
        -startdate "$start" -enddate "$end" -notext 2>/dev/null || exit 1
      openssl pkcs12 -export -inkey signing.key -in "$name.pem" -certfile ca.pem -out "$name.p12" \
        -passout file:password.txt || exit 1
    done
  )
}
