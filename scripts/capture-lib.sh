# Pictures of a window, for scripts run inside scripts/wine-run.

# capture_window PROBE CAPTION OUT.png: a PNG of the top-level window with
# that caption, taken once it is painted: its program has handled what was
# queued for it (the probe's wait-idle), and two captures 0.2 s apart agree,
# so what it drew has reached the screen. A program that does not answer
# within 10 s can't paint, and nothing is taken: the call fails. A window
# that keeps changing for 10 s (a caret blinking) is taken as last seen.
capture_window() {
  local probe=$1 caption=$2 out=$3 left top width height work
  if ! wine "$probe" wait-idle "$caption" 10000; then
    echo "capture: \"$caption\" is not painted; no picture taken" >&2
    return 1
  fi
  read -r left top width height < <(wine "$probe" rect "$caption") || return 1
  work=$(mktemp -d)
  _capture() { import -window root -crop "${width}x${height}+${left}+${top}" +repage "$1"; }
  _pixels() { convert "$1" rgb:-; }
  _capture "$work/previous.png"
  local deadline=$((SECONDS + 10))
  while :; do
    sleep 0.2
    _capture "$work/current.png"
    cmp -s <(_pixels "$work/previous.png") <(_pixels "$work/current.png") && break
    if [ $SECONDS -ge $deadline ]; then
      echo "capture: \"$caption\" kept changing; taking the last capture" >&2
      break
    fi
    mv "$work/current.png" "$work/previous.png"
  done
  cp "$work/current.png" "$out"
  rm -rf "$work"
}
