# The host's exchange file, end to end: a row picked with the mouse and OK
# chain exactly "h/" + its path; a damaged file is reported before the window
# opens and is left as it was.
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
probe wait-window "$MAIN_CAPTION" 10000 || fail "the main window did not open after the message"
click_button OK
wait_program_end 10
cmp -s "$exchange" "$exchange.before" || fail "the damaged exchange file was changed"
echo "exchange test passed"
