# One run without the mouse, with real X key events: Ctrl+Tab and
# Ctrl+Shift+Tab switch tabs; 項目移動 chosen from the grid's menu by its
# access key, Ctrl+Down moves the picked item down a row;
# Tab and Shift+Tab go round the grid, the memo, the search box, キャンセル
# and OK; typed into the search box, Enter chains the result on the other
# tab, and the data file keeps the new order.
#
#   keyboard_test.sh Z_Orbi.exe zorbi_probe.exe
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh" "$1" "$2"

focus_is() { [ "$(probe focus "$MAIN_CAPTION")" = "$1" ]; }
key_to() {
  xdotool key "$1"
  eventually 5 focus_is "$2" || fail "after $1 the focus is on '$(probe focus "$MAIN_CAPTION")', not '$2'"
}

make_host_folder
start_program "$folder"
focus_main_window
eventually 5 focus_is TStringGrid || fail "the grid has no focus at start"
xdotool key ctrl+Tab
eventually 5 tab_is "1 2" || fail "Ctrl+Tab did not show the second tab"
xdotool key ctrl+shift+Tab
eventually 5 tab_is "0 2" || fail "Ctrl+Shift+Tab did not show the first tab again"
xdotool key Menu
eventually 5 menus_open 1 || fail "the grid's menu did not open"
xdotool key m
eventually 5 memo_shows 移動モード || fail "項目移動 did not start move mode"
xdotool keydown ctrl key Down keyup ctrl
for step in "Tab Edit" "Tab Edit" "Tab Button キャンセル" "Tab Button OK" "Tab TStringGrid" \
            "shift+Tab Button OK" "shift+Tab Button キャンセル" "shift+Tab Edit"; do
  key_to "${step%% *}" "${step#* }"
done
xdotool type "summ d"
eventually 15 tab_is "-1 2" || fail "no results after typing: $(probe tab "$MAIN_CAPTION")"
xdotool key Return
wait_program_end 10
expect_exchange "h/$bat_tab2"
expect_eq "$(data_file_items "$folder/Z_Orbi.DAT" | cut -d'|' -f1 | tr '\n' ' ')" \
  "B.BAT A.BAT C.BAT D.BAT " "the items' order"
echo "keyboard test passed"
