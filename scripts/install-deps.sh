#!/usr/bin/env bash
# Installs everything the builds and tests need, from Debian's packages only. Idempotent and
# non-interactive; does nothing when all packages are already there.
set -euo pipefail
packages=(
  cmake ninja-build pkg-config g++ python3
  g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix mingw-w64-tools
  wine64 wixl msitools libmsi-dev libglib2.0-dev
  xvfb xdotool imagemagick
  googletest clang libclang-rt-14-dev valgrind
  python3-pefile osslsigncode openssl
)
missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
done
if [ ${#missing[@]} -eq 0 ]; then
  echo "install-deps: all ${#packages[@]} packages are installed"
  exit 0
fi
echo "install-deps: installing ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo=sudo
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -q
$sudo apt-get install -y -q "${missing[@]}"
