# install_missing NAME PACKAGE...: installs, with apt-get, those of the Debian packages that
# are not installed yet; says so under NAME. Sourced by the install scripts.
# shellcheck shell=bash
install_missing() {
  local name=$1
  shift
  local missing=() package
  for package in "$@"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
  done
  if [ ${#missing[@]} -eq 0 ]; then
    echo "$name: all $# packages are installed"
    return 0
  fi
  echo "$name: installing ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -eq 0 ] || sudo=sudo
  # An i386 package needs the architecture first.
  if printf '%s\n' "${missing[@]}" | grep -q ':i386$' && ! dpkg --print-foreign-architectures | grep -qx i386; then
    $sudo dpkg --add-architecture i386
  fi
  DEBIAN_FRONTEND=noninteractive $sudo apt-get update -q
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q "${missing[@]}"
}
