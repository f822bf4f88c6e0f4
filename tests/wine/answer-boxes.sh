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

# shellcheck source=boxes.sh
. "$here/boxes.sh"

"$here/wine-run.sh" "$exe" --gtest_filter='RealMessageBox.*' &
test_pid=$!
status=0
answer_box "Error" Return "$artefacts/error-box.png" || status=1
answer_box "Quenvar Halcyon" y "$artefacts/question-yes.png" || status=1
answer_box "Quenvar Halcyon" n "$artefacts/question-no.png" || status=1
if ! wait "$test_pid"; then status=1; fi
exit $status
