# Find as you type with real X input.
#
#   search_test.sh Z_Orbi.exe zorbi_probe.exe CASE [screenshot.png]
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh" "$1" "$2"
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/capture-lib.sh"
case_name=$3
shot=${4:-}

case $case_name in
other_tab)
  # Ctrl+F, two words that only an item of the other tab holds, and Enter
  # chain that item, not the pick on the shown tab.
  make_host_folder
  start_program "$folder"
  focus_main_window
  xdotool keydown ctrl key f keyup ctrl
  xdotool type summ
  # Results show no selected tab.
  eventually 15 tab_is "-1 2" || fail "no results after typing: $(probe tab "$MAIN_CAPTION")"
  if [ -n "$shot" ]; then
    eventually 10 memo_shows "A summary" || fail "the first result's memo is not shown"
    capture_window "$ZORBI_PROBE" "$MAIN_CAPTION" "$shot"
  fi
  xdotool type " d"
  xdotool key Return
  wait_program_end 10
  expect_exchange "h/$bat_tab2"
  ;;

missing_file)
  # Enter on a result whose file is gone warns and keeps the window open:
  # the host is never handed a BAT file that is not there.
  make_host_folder
  missing="$(wine_path "$folder")\\missing.BAT"
  python3 "$(dirname "${BASH_SOURCE[0]}")/make_catalogue.py" "$folder/Z_Orbi.DAT" \
    --tab 作図 --item "$bat1" "A summary" 2 '"A summary"' \
    --tab 編集 --item "$missing" "Gone summary" 0 '"Gone memo"'
  start_program "$folder"
  focus_main_window
  xdotool keydown ctrl key f keyup ctrl
  xdotool type missing
  eventually 15 memo_shows "Gone memo" || fail "missing.BAT is not the highlighted result"
  xdotool key Return
  probe wait-dialog Z_ORBI 10000 || fail "no warning after Enter"
  [[ "$(probe dialog-text Z_ORBI)" == *外部変形は無効* ]] ||
    fail "the box says: $(probe dialog-text Z_ORBI)"
  probe press Z_ORBI OK
  eventually 10 no_dialog || fail "the warning stayed"
  # The window answers only after the code that follows the box has run: a
  # close started by the OK is over by then.
  probe tab "$MAIN_CAPTION" >/dev/null 2>&1 || true
  probe wait-window "$MAIN_CAPTION" 0 >/dev/null 2>&1 ||
    fail "the window closed after the warning; exchange file: $(grep -a '^h/' "$exchange" || true)"
  click_button キャンセル
  wait_program_end 15
  if chained=$(grep -a '^h/' "$exchange"); then fail "the exchange file chains $chained"; fi
  ;;

*) fail "unknown case $case_name" ;;
esac
echo "search test $case_name passed"
