# Maintaining the catalogue with real X input: an item dragged to another row
# in move mode, a memo and a summary edited, an item deleted. The data file
# written at close holds every change, and a second start shows them.
#
#   editing_test.sh Z_Orbi.exe zorbi_probe.exe [SHOTS_DIR]
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh" "$1" "$2"
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/capture-lib.sh"
shots=${3:-}

make_host_folder
start_program "$folder"
focus_main_window

menu_open() { probe list | grep -q '^#32768'; }
menu_closed() { ! menu_open; }
label_shows() { probe text "$MAIN_CAPTION" | grep -qx "$1"; }
label_gone() { ! label_shows "$1"; }

read -r grid_left grid_top _ _ < <(probe child-rect "$MAIN_CAPTION" TStringGrid)
row_y() { echo $((grid_top + 2 + 21 * $1 + 10)); }
summary_x=$((grid_left + 2 + 26 + 91 + 60))

# Right-clicks where the mouse is and takes the `down`-th command of the menu.
menu_command() {
  xdotool click 3
  eventually 5 menu_open || fail "the context menu did not open"
  for _ in $(seq "$1"); do xdotool key Down; done
  xdotool key Return
  eventually 5 menu_closed || fail "the context menu stayed open"
}

# Grid menu: 1 元に戻す, 2 やり直し, 3 項目追加, 4 フォルダから登録..., 5 項目削除,
# 6 項目編集, 7 項目移動, 8 確定終了.
# 項目追加 opens the file dialog, whose DLL loads only then; cancelled, it adds nothing.
file_dialog() { probe list | grep -m1 '^#32770' | cut -f2; }
file_dialog_open() { [ -n "$(file_dialog)" ]; }
file_dialog_gone() { [ -z "$(file_dialog)" ]; }
xdotool mousemove "$summary_x" "$(row_y 1)"
menu_command 3
eventually 10 file_dialog_open || fail "the file dialog did not open"
probe close "$(file_dialog)"
eventually 10 file_dialog_gone || fail "the file dialog stayed open"

xdotool mousemove "$summary_x" "$(row_y 1)"
menu_command 7
eventually 5 label_shows 移動モード || fail "move mode label not shown"
xdotool mousemove $((grid_left + 12)) "$(row_y 1)" mousedown 1
xdotool mousemove $((grid_left + 12)) "$(row_y 2)" mousemove $((grid_left + 12)) "$(row_y 3)"
xdotool mouseup 1
xdotool mousemove "$summary_x" "$(row_y 1)"
menu_command 8
eventually 5 label_gone 移動モード || fail "move mode label still shown"

# The memo of row 1 (B after the move): memo menu 1 メモ編集, 2 確定終了.
xdotool mousemove "$summary_x" "$(row_y 1)" click 1
read -r memo_left memo_top _ _ < <(probe child-rect "$MAIN_CAPTION" EDIT)
xdotool mousemove $((memo_left + 20)) $((memo_top + 10))
menu_command 1
xdotool click 1 key ctrl+End Return
xdotool type --delay 20 "second line"
menu_command 2

# The summary of row 1 in edit mode, typed into the cell editor.
xdotool mousemove "$summary_x" "$(row_y 1)"
menu_command 6
eventually 5 label_shows 編集モード || fail "edit mode label not shown"
xdotool key F2
xdotool type --delay 20 "edited B"
[ -z "$shots" ] || capture_window "$ZORBI_PROBE" "$MAIN_CAPTION" "$shots/edit-mode.png"
xdotool key Return
menu_command 8

# Row 2 (C) deleted.
xdotool mousemove "$summary_x" "$(row_y 2)" click 1
menu_command 5

probe close "$MAIN_CAPTION"
wait_program_end 10

# Tab 0 as the data file holds it: path, summary, position, memo per item.
read_tab0() { data_file_items "$folder/Z_Orbi.DAT" | awk -F'|' -v OFS='|' '$3 == 0 { print $1, $2, $4, $5 }'; }
expected='B.BAT|edited B|0|"B summary","second line"
A.BAT|A summary|1|"A summary"'
expect_eq "$(read_tab0)" "$expected" "tab 0 after editing"
cp "$folder/Z_Orbi.DAT" "$folder.first"
folders+=("$folder.first")

rm "$exchange"  # the chaining lines would be reported as a damaged exchange file
start_program "$folder"
focus_main_window
eventually 10 memo_shows "second line" || fail "the edited memo is not shown again"
# B deleted, then Ctrl+Z: it is back, picked, and the file is written as before.
xdotool mousemove "$summary_x" "$(row_y 1)" click 1
menu_command 5
eventually 5 memo_shows "A summary" || fail "項目削除 did not delete B"
if [ -n "$shots" ]; then
  xdotool click 3
  eventually 5 menu_open || fail "the context menu did not open"
  capture_window "$ZORBI_PROBE" @#32768 "$shots/menu-undo.png"
  xdotool key Escape
  eventually 5 menu_closed || fail "the context menu stayed open"
fi
xdotool key ctrl+z
eventually 5 memo_shows "second line" || fail "Ctrl+Z did not bring B back"
probe close "$MAIN_CAPTION"
wait_program_end 10
cmp -s "$folder/Z_Orbi.DAT" "$folder.first" || fail "the second start changed the catalogue"
echo "editing test passed"
