# Picking from the keyboard with real X key events: 3 then Enter chains the
# third item; Ctrl+2 shows the second tab; a number past the tab's items is
# reported and changes nothing, also when Enter closes the report; a number
# picked or 項目編集 started with the grid scrolled away by the wheel shows
# its row.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh" "$@"

make_host_folder
start_program "$folder"
focus_main_window
xdotool key 3 Return
wait_program_end 10
expect_exchange "h/$bat3"

make_host_folder
start_program "$folder"
focus_main_window
xdotool keydown ctrl keydown 2 keyup 2 keyup ctrl
eventually 15 tab_is "1 2" ||
  fail "Ctrl+2 did not show the second tab: $(probe tab "$MAIN_CAPTION")"
xdotool key 4
expect_message "4 番目の項目は登録されていません。"
# Enter closes the message box; its release over the grid must not confirm.
xdotool key Return
eventually 5 bash -c "! wine '$ZORBI_PROBE' wait-dialog Z_ORBI 0" || fail "the message box stayed"
probe wait-window "$MAIN_CAPTION" 0 || fail "the window closed with the message box"
expect_eq "$(probe tab "$MAIN_CAPTION")" "1 2" "tab after the message"
probe close "$MAIN_CAPTION"
wait_program_end 10
# The second tab's only item stayed picked.
expect_exchange "h/$bat_tab2"
# 25 items, the grid scrolled down with the wheel: 4 brings item 4 into view,
# highlighted; item 2 picked and scrolled away, 項目編集 shows its cell.
make_program_folder
folder=$program_folder
args=(--tab 作図)
for i in $(seq 25); do
  printf '@REM\r\n' >"$folder/I$i.BAT"
  args+=(--item "$(wine_path "$folder")\\I$i.BAT" "item $i" 0 "\"memo $i\"")
done
python3 "$(dirname "${BASH_SOURCE[0]}")/make_catalogue.py" "$folder/Z_Orbi.DAT" "${args[@]}"
start_program "$folder"
focus_main_window
read -r left top width height < <(probe client-rect "$MAIN_CAPTION" TStringGrid)
# The colour of the first row below the header, in the file name or summary column.
first_row() {
  local x=$((left + 27 + 30))
  [ "$1" = summary ] && x=$((left + width - 30))
  import -window root -crop "1x1+$x+$((top + 21 + 10))" -depth 8 txt:- | grep -o '#[0-9A-F]\{6\}'
}
highlight=$(first_row summary)  # item 1, picked at start
scrolled_away() { [ "$(first_row summary)" != "$highlight" ]; }
shows_row() { [ "$(first_row summary)" = "$highlight" ] && memo_shows "memo $1"; }
# The number column, to see the rows stop moving: the wheel's last notches
# may arrive after the first has scrolled.
numbers() { import -window root -crop "1x$height+$((left + 10))+$top" -depth 8 txt:- | md5sum; }
settled() {
  local before
  before=$(numbers)
  probe wait-idle "$MAIN_CAPTION" 2000 >/dev/null
  [ "$(numbers)" = "$before" ]
}
wheel_down() {
  xdotool mousemove $((left + width / 2)) $((top + 100)) click --repeat 4 --delay 30 5
  eventually 10 scrolled_away || fail "the wheel did not scroll the grid"
  eventually 10 settled || fail "the grid kept scrolling"
}
wheel_down
xdotool key 4
eventually 10 shows_row 4 || fail "4 did not show item 4 highlighted"
xdotool key 2
eventually 10 shows_row 2 || fail "2 did not show item 2 highlighted"
wheel_down
xdotool key Menu
eventually 5 menus_open 1 || fail "the grid's menu did not open"
xdotool key Down Down Down Down Down Down Return  # 項目編集
eventually 5 memo_shows 編集モード || fail "edit mode did not start"  # the mode label
edit_cell() { [ "$(first_row summary)" = "$highlight" ] && [ "$(first_row name)" != "$highlight" ]; }
eventually 10 edit_cell || fail "項目編集 did not show the edit cell of row 2"
probe close "$MAIN_CAPTION"
wait_program_end 10
echo "keys test passed"
