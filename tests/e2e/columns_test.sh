# The grid's columns fill its width over a tab and over the results, with a
# missing file's mark in the number column: the last column's line is the
# client area's last pixel, no horizontal scroll bar shows, and over the
# results a tab name of 43 full-width characters takes a third of the grid at
# most. Run at 96 DPI and in a copy of the prefix at 192 DPI in a dark scheme;
# the pictures go to OUT_FOLDER.
#
#   columns_test.sh Z_Orbi.exe zorbi_probe.exe OUT_FOLDER DPI
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh" "$1" "$2"
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/capture-lib.sh"
out=$3 dpi=$4
mkdir -p "$out"

make_program_folder
folder=$program_folder
w=$(wine_path "$folder")
args=(--tab "$(printf '長%.0s' $(seq 43))")
for i in $(seq 25); do
  printf '@REM\r\n' >"$folder/I$i.BAT"
  args+=(--item "$w\\I$i.BAT" "item $i" 0 '"m"')
done
python3 "$(dirname "${BASH_SOURCE[0]}")/make_catalogue.py" "$folder/Z_Orbi.DAT" "${args[@]}" \
  --tab 編集 --item "$w\\GONE.BAT" gone 0 '"m"'

pitch=$((20 * dpi / 96 + 1))
# The grid's client area now, as a picture; row 3 runs across it at `band`.
grab() {
  read -r left top width height < <(probe client-rect "$MAIN_CAPTION" TStringGrid)
  import -window root -crop "${width}x${height}+${left}+${top}" +repage "$out/grid.png"
  band=$((pitch * 3 + pitch / 2))
}
pixel() { convert "$out/grid.png" -crop "1x1+$1+$2" -depth 8 txt:- | grep -o '#[0-9A-F]\{6\}'; }
# The left edge of column 1: where the line below row 3 turns from the fixed
# cells' colour to the colour of the lines between the other cells.
column1_left() {
  convert "$out/grid.png" -crop "${width}x1+0+$((pitch * 4 - 1))" -depth 8 txt:- |
    awk -v c="$(pixel $((width - 20)) $((pitch * 4 - 1)))" \
      'NR > 1 && $0 ~ c { split($1, at, ","); print at[1]; exit }'
}
marked() { grab && [ "$(column1_left)" -gt $((27 * dpi / 96 + 1)) ]; }

check_fill() {
  grab
  read -r _ _ outer_width outer_height < <(probe child-rect "$MAIN_CAPTION" TStringGrid)
  local line
  line=$(pixel $((width - 20)) $((pitch * 4 - 1)))  # below row 3
  expect_eq "$(pixel $((width - 1)) "$band")" "$line" "$1: the pixel left of the scroll bar"
  [ "$(pixel $((width - 3)) "$band")" != "$line" ] || fail "$1: no cell before the last line"
  # Only the client edge's two pixels above and below: no horizontal scroll bar.
  expect_eq $((outer_height - height)) 4 "$1: the grid's height less its client area's"
  [ "$(column1_left)" -le $((width / 3 + 1)) ] ||
    fail "$1: the number column ends at $(column1_left) of $width"
}

start_program "$folder"
eventually 20 marked || fail "the missing file's mark did not widen the number column"
check_fill "a tab"
capture_window "$ZORBI_PROBE" "$MAIN_CAPTION" "$out/tab.png"
focus_main_window
xdotool keydown ctrl key f keyup ctrl
xdotool type item
eventually 15 tab_is "-1 2" || fail "no results: $(probe tab "$MAIN_CAPTION")"
check_fill "the results"
capture_window "$ZORBI_PROBE" "$MAIN_CAPTION" "$out/results.png"
probe close "$MAIN_CAPTION"
wait_program_end 10
echo "columns test passed at $dpi DPI"
