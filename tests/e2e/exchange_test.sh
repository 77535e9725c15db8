# The host's exchange file, end to end: a row picked with the mouse and OK
# chain exactly "h/" + its path; a damaged file is reported before the window
# opens and is left as it was. A large file is read while the window is
# built: a bad last line is reported as before, and a program that ends
# before it needs the file ends cleanly.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh" "$@"

make_host_folder
start_program "$folder"
click_grid_row 3
click_button OK
wait_program_end 10
expect_exchange "h/$bat3"

make_host_folder
printf 'x hq\r\n0 0 1 1\r\n' >"$exchange"
cp "$exchange" "$exchange.before"
folders+=("$exchange.before")
(cd "$folder" && exec wine ./Z_Orbi.exe) &
app_pid=$!
expect_message "jwc_temp.txtが壊れているか、見つかりません"
probe wait-window "$MAIN_CAPTION" 0 2>/dev/null && fail "the main window opened before the message"
probe press Z_ORBI OK
probe wait-window "$MAIN_CAPTION" 20000 || fail "the main window did not open after the message"
click_button OK
wait_program_end 10
cmp -s "$exchange" "$exchange.before" || fail "the damaged exchange file was changed"
# 50 MB of line records whose last line does not parse.
make_host_folder
awk 'BEGIN { printf "hq\r\n"; for (i = 0; i < 3500000; i++) printf "0 0 100 100\r\n"; printf "pt 1 x\r\n" }' >"$exchange"
(cd "$folder" && exec wine ./Z_Orbi.exe) &
app_pid=$!
probe wait-dialog Z_ORBI 20000 || fail "no error box for the large file"
probe wait-window "$MAIN_CAPTION" 0 >/dev/null 2>&1 && fail "the window opened before the error box"
probe dialog-text Z_ORBI | grep -q "JW_WINの動作が不安定" || fail "the error box says: $(probe dialog-text Z_ORBI)"
probe press Z_ORBI OK
probe wait-window "$MAIN_CAPTION" 20000 || fail "no window after the error box"
click_button キャンセル
wait_program_end 10
expect_eq "$(tail -c 8 "$exchange" | od -An -c | tr -d ' \n')" 'pt1x\r\n' "end of the large exchange file"

# A catalogue that is not a data file ends the program while the large file
# may still be read: its box is closed, and the program ends at once.
printf 'not a catalogue' >"$folder/Z_Orbi.DAT"
(cd "$folder" && exec wine ./Z_Orbi.exe) &
app_pid=$!
expect_message "データファイルではありません、終了します。"
probe press Z_ORBI OK
wait_program_end 10
expect_eq "$app_status" 1 "exit status after an unreadable catalogue"
expect_eq "$(cat "$folder/Z_Orbi.DAT")" "not a catalogue" "the catalogue"
echo "exchange test passed"
