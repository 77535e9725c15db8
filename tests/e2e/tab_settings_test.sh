# Renaming a tab in タブ設定 with real X input: the data file written at the
# close holds the new name and nothing else changed, and a second start shows it.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh" "$@"
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/capture-lib.sh"
shot=${3:-}
DIALOG_CAPTION="タブ設定"

# The dialog's child texts hold this line (the name box's text).
dialog_shows() {
  eventually 10 bash -c "wine '$ZORBI_PROBE' text '$DIALOG_CAPTION' | grep -qx '$1'"
}

make_host_folder
rm "$exchange"

open_tab_settings() {
  focus_main_window
  xdotool key alt+o t
  probe wait-window "$DIALOG_CAPTION" 10000 || fail "タブ設定 did not open"
}

start_program "$folder"
open_tab_settings
# The list has the focus: its second line goes into the name box.
xdotool key Home Down
dialog_shows "編集" || fail "choosing a line does not fill the name box"
if [ -n "$shot" ]; then capture_window "$ZORBI_PROBE" "$DIALOG_CAPTION" "$shot"; fi
# Into the name box, which selects its text, and a new name typed over it.
xdotool key Tab
xdotool type --delay 20 "Parts 2"
click_button "変更" "$DIALOG_CAPTION"
click_button "閉じる" "$DIALOG_CAPTION"
probe wait-gone "$DIALOG_CAPTION" 10000 || fail "タブ設定 did not close"
probe close "$MAIN_CAPTION"
wait_program_end 10
expect_eq "$app_status" 0 "exit status"
# The catalogue make_host_folder wrote, with the second tab's new name.
python3 "$(dirname "${BASH_SOURCE[0]}")/make_catalogue.py" "$folder.renamed" \
  --tab 作図 --item "$bat1" "A summary" 2 '"A summary"' --item "$bat2" "B summary" 0 '"B summary"' \
  --item "$bat3" "C summary" 0 '"C summary"' \
  --tab "Parts 2" --item "$bat_tab2" "D summary" 0 '"D summary"'
folders+=("$folder.renamed")
cmp "$folder/Z_Orbi.DAT" "$folder.renamed" || fail "Z_Orbi.DAT does not hold exactly the new name"

# A second start shows the name (the name box takes the selected line's text)
# and writes the file back unchanged.
start_program "$folder"
open_tab_settings
xdotool key Home Down
dialog_shows "Parts 2" || fail "the second start does not show the new name"
xdotool key Escape
probe wait-gone "$DIALOG_CAPTION" 10000 || fail "タブ設定 did not close on Escape"
probe close "$MAIN_CAPTION"
wait_program_end 10
cmp "$folder/Z_Orbi.DAT" "$folder.renamed" || fail "the second close changed Z_Orbi.DAT"
echo "tab settings test passed"
