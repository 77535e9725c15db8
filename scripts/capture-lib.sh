# Pictures of a window, for scripts run inside scripts/wine-run.

# capture_window PROBE CAPTION OUT.png: a PNG of the top-level window with
# that caption, taken once two captures in a row agree (painting is done), or
# the last one after 5 s.
capture_window() {
  local probe=$1 caption=$2 out=$3 left top width height work
  read -r left top width height < <(wine "$probe" rect "$caption") || return 1
  work=$(mktemp -d)
  _capture() { import -window root -crop "${width}x${height}+${left}+${top}" +repage "$1"; }
  _capture "$work/previous.png"
  local deadline=$((SECONDS + 5))
  while :; do
    _capture "$work/current.png"
    if cmp -s <(convert "$work/previous.png" rgb:-) <(convert "$work/current.png" rgb:-); then break; fi
    if [ $SECONDS -ge $deadline ]; then
      echo "capture: the window kept changing; taking the last capture" >&2
      break
    fi
    mv "$work/current.png" "$work/previous.png"
  done
  cp "$work/current.png" "$out"
  rm -rf "$work"
}
