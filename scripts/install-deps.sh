#!/usr/bin/env bash
# Installs everything the builds and tests need, from Debian's packages only. Idempotent and
# non-interactive; does nothing when all packages are already there.
set -euo pipefail
# shellcheck source=apt-install.sh
. "$(dirname "$0")/apt-install.sh"
install_missing install-deps \
  cmake ninja-build pkg-config g++ python3 \
  g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix mingw-w64-tools \
  wine64 wixl msitools libmsi-dev libglib2.0-dev \
  xvfb xdotool imagemagick \
  googletest clang libclang-rt-14-dev valgrind \
  python3-pefile osslsigncode openssl
