# メモ編集 from the memo's own menu, a line typed, then 3 and Enter: the keys
# belong to the memo, so no item is chained by them and no memo moves to
# item 3. The close box then stores the memo into the item it was typed for.
# Escape in the memo, read-only or being edited, closes nothing (a multi-line
# edit control asks its parent to close, as in a dialog box).
#
#   memo_keys_test.sh Z_Orbi.exe zorbi_probe.exe
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh" "$1" "$2"

make_host_folder
start_program "$folder"
focus_main_window

menu_open() { probe list | grep -q '^#32768'; }
menu_closed() { ! menu_open; }
label_shows() { probe text "$MAIN_CAPTION" | grep -qx 編集モード; }
label_gone() { ! label_shows; }

read -r memo_left memo_top _ _ < <(probe child-rect "$MAIN_CAPTION" EDIT)
# Input comes after what the Escape posted: a close would end the window first.
xdotool mousemove $((memo_left + 20)) $((memo_top + 10)) click 1
xdotool key Escape
xdotool mousemove $((memo_left + 20)) $((memo_top + 10)) click 3
eventually 5 menu_open || fail "the memo menu did not open"
xdotool key Down Return
eventually 5 label_shows || fail "memo edit mode not entered"
xdotool key ctrl+End Return
xdotool type --delay 20 "typed line"
xdotool key Escape 3 Return
eventually 10 memo_shows "typed line3" || fail "the 3 did not reach the memo"
# Still open, in memo edit mode: Enter chained nothing.
label_shows || fail "the keys left memo edit mode"
probe close "$MAIN_CAPTION"
wait_program_end 10

memos() { data_file_items "$folder/Z_Orbi.DAT" | cut -d'|' -f1,5-; }
expected='A.BAT|"A summary","typed line3"
B.BAT|"B summary"
C.BAT|"C summary"
D.BAT|"D summary"'
expect_eq "$(memos)" "$expected" "memos after the close"
expect_exchange "h/$bat1"
echo "memo keys test passed"
