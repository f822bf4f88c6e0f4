# Answering message boxes as a person would, for the test scripts (sourced).

# answer_box CAPTION KEY SCREENSHOT [COMMAND]: waits up to $QV_BOX_SECONDS (default 30) for a
# box with that caption,
# takes a screenshot of the display, runs COMMAND while the box is open, presses KEY on the
# box and waits until it has gone.
answer_box() {
  local window=""
  for _ in $(seq $((${QV_BOX_SECONDS:-30} * 10))); do
    window=$(xdotool search --name "^$1\$" 2>/dev/null | head -n 1)
    [ -n "$window" ] && break
    sleep 0.1
  done
  if [ -z "$window" ]; then
    echo "no box captioned '$1' appeared" >&2
    return 1
  fi
  sleep 0.5
  import -window root "$3" 2>/dev/null || echo "no screenshot $3" >&2
  [ -n "${4:-}" ] && $4
  xdotool key --window "$window" "$2" 2>/dev/null
  # Wait until this window has gone: the next box may have the same caption.
  for _ in $(seq 100); do
    xdotool search --name "^$1\$" 2>/dev/null | grep -qx "$window" || return 0
    sleep 0.1
  done
  echo "the box '$1' did not close after $2" >&2
  return 1
}
