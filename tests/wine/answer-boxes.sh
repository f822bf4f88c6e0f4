#!/usr/bin/env bash
# Runs the real message-box tests under Wine and answers each box as a person would: it
# finds the window by its caption, takes a screenshot, and presses the key.
#   answer-boxes.sh TEST_EXE ARTEFACT_DIR
set -u
exe=$1
artefacts=$2
here=$(cd "$(dirname "$0")" && pwd)
mkdir -p "$artefacts"
# shellcheck source=/dev/null
. "$QV_TESTBED/env" || { echo "answer-boxes: no test bed" >&2; exit 2; }

# answer CAPTION KEY SHOT: waits for the box, photographs it and presses KEY.
answer() {
  local window=""
  for _ in $(seq 300); do
    window=$(xdotool search --name "^$1\$" 2>/dev/null | head -n 1)
    [ -n "$window" ] && break
    sleep 0.1
  done
  if [ -z "$window" ]; then
    echo "answer-boxes: no box captioned '$1' appeared" >&2
    return 1
  fi
  sleep 0.5
  import -window root "$artefacts/$3.png" 2>/dev/null || true
  xdotool key --window "$window" "$2" 2>/dev/null
  # Wait until this window has gone: the next box may have the same caption.
  for _ in $(seq 100); do
    xdotool search --name "^$1\$" 2>/dev/null | grep -qx "$window" || return 0
    sleep 0.1
  done
  echo "answer-boxes: the box '$1' did not close after $2" >&2
  return 1
}

"$here/wine-run.sh" "$exe" --gtest_filter='RealMessageBox.*' &
test_pid=$!
status=0
answer "Error" Return error-box || status=1
answer "Quenvar Halcyon" y question-yes || status=1
answer "Quenvar Halcyon" n question-no || status=1
if ! wait "$test_pid"; then status=1; fi
exit $status
