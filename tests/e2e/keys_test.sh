# Picking from the keyboard with real X key events: 3 then Enter chains the
# third item; Ctrl+2 shows the second tab; a number past the tab's items is
# reported and changes nothing, also when Enter closes the report.
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
echo "keys test passed"
