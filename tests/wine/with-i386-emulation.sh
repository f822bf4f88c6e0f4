#!/usr/bin/env bash
# Runs a command with the i386 binfmt entry on, and turns it off again when the command
# ends, fails or is interrupted.
#   with-i386-emulation.sh COMMAND [ARGS...]
set -u
here=$(cd "$(dirname "$0")" && pwd)
"$here/i386-emulation.sh" on || exit 1
trap '"$here/i386-emulation.sh" off' EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
"$@"
