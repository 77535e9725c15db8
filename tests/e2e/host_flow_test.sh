# The host flow end to end: Z_Orbi.BAT run through Wine's cmd as JW_WIN runs
# an external transformation, driven only by real X input, judged only by
# files and window texts.
#
#   host_flow_test.sh Z_Orbi.exe zorbi_probe.exe CASE
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh" "$1" "$2"
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/host-lib.sh"
case_name=$3

# Runs Z_Orbi.BAT in the folder as the host does and waits for the window.
run_launcher() {
  host_start "$folder" Z_Orbi.BAT
  app_pid=$host_pid
  probe wait-window "$MAIN_CAPTION" 20000 || fail "the main window did not appear"
}

# The BAT (and so the program) ends; what the host then finds is checked.
launcher_ends() {
  wait_program_end 15
  host_pid=""
}

keep_copy() { cp "$1" "$1.before" && folders+=("$1.before"); }

case $case_name in
number_key)
  make_host_folder
  host_write_exchange "$folder"
  run_launcher
  focus_main_window
  xdotool key 3 Return
  launcher_ends
  expect_exchange "h/$bat3"
  ;;

mouse_ok)
  make_host_folder
  host_write_exchange "$folder"
  run_launcher
  click_grid_row 2
  click_button OK
  launcher_ends
  expect_exchange "h/$bat2"
  ;;

cancel)
  make_host_folder
  host_write_exchange "$folder"
  keep_copy "$exchange"
  touch -d '2001-01-01' "$folder/Z_Orbi.DAT"
  run_launcher
  click_grid_row 2
  click_button キャンセル
  launcher_ends
  cmp -s "$exchange" "$exchange.before" || fail "Cancel changed the exchange file"
  [ "$(stat -c %Y "$folder/Z_Orbi.DAT")" -gt "$(date -d 2001-01-02 +%s)" ] ||
    fail "Z_Orbi.DAT was not written"
  printf '作図,編集\r\n0,%s\r\n0,%s\r\n0,%s\r\n1,%s\r\n' "$bat1" "$bat2" "$bat3" "$bat_tab2" |
    iconv -f UTF-8 -t CP932 | cmp -s - "$folder/PATH.TXT" ||
    fail "PATH.TXT holds: $(iconv -f CP932 -t UTF-8 "$folder/PATH.TXT")"
  ;;

no_exchange)
  make_host_folder
  rm "$exchange"
  run_launcher
  probe wait-dialog Z_ORBI 0 >/dev/null 2>&1 && fail "a message box appeared"
  focus_main_window
  xdotool key 2 Return
  launcher_ends
  [ ! -e "$exchange" ] || fail "an exchange file was created"
  ;;

parse_failure)
  make_host_folder
  printf 'hq\r\n#\r\npt 1 x\r\n' >"$exchange"
  keep_copy "$exchange"
  host_start "$folder" Z_Orbi.BAT
  app_pid=$host_pid
  probe wait-dialog Z_ORBI 20000 || fail "no error box"
  probe wait-window "$MAIN_CAPTION" 0 >/dev/null 2>&1 && fail "the window opened before the error box"
  shown=$(probe dialog-text Z_ORBI | tr -d '\r')
  expected=$(printf '%s\n\n%s' \
    "JW_WINの動作が不安定になっています、Z_Orbiの実行はキャンセルしてください。" \
    "また、編集中のファイルは保存してJW_WINを立上げなおしてください。")
  [ "$shown" = "$expected" ] || fail "the error box says: $shown"
  probe press Z_ORBI OK
  probe wait-window "$MAIN_CAPTION" 20000 || fail "no window after the error box"
  controls=$(probe controls "$MAIN_CAPTION")
  for control in "Button.*	OK$" "TStringGrid" "Edit" "SysTabControl32"; do
    echo "$controls" | grep -E "^$control" | grep -q disabled || fail "$control is not disabled"
  done
  echo "$controls" | grep -E "^Button.*	キャンセル$" | grep -q enabled || fail "キャンセル is disabled"
  click_button キャンセル
  launcher_ends
  cmp -s "$exchange" "$exchange.before" || fail "the exchange file was changed"
  ;;

odd_folder)
  # The host works in whatever folder the user keeps external transformations
  # in: the launcher starts the program there, the chained BAT file runs.
  make_host_folder "pct 100%/作図 (R&L) ^!"
  odd="$(wine_path "$folder")\\円弧 (R&L) 10% ^!.bat"
  printf '@REM odd\r\necho ran>chained.txt\r\n' >"$folder/円弧 (R&L) 10% ^!.bat"
  python3 "$(dirname "${BASH_SOURCE[0]}")/make_catalogue.py" "$folder/Z_Orbi.DAT" \
    --tab 作図 --item "$bat1" "A summary" 2 '"A"' --item "$odd" "odd summary" 0 '"odd"'
  host_write_exchange "$folder"
  run_launcher
  focus_main_window
  xdotool key 2 Return
  launcher_ends
  expect_exchange "h/$odd"
  host_run_chained "$odd" 30 >/dev/null || fail "the host could not go on with $odd"
  [ -f "$folder/chained.txt" ] || fail "the chained BAT file did not run"
  ;;

key_ran_menu)
  make_host_folder
  host_write_exchange "$folder"
  run_launcher
  focus_main_window
  # ｵﾌﾟｼｮﾝ(&O), down past タブ設定 and タブを全て表示 to キー選択で即実行.
  xdotool key alt+o
  xdotool key Down Down Return
  xdotool key 2
  launcher_ends
  expect_exchange "h/$bat2"
  ;;

info_setting)
  # Info switched on by the settings file adds the notice line after the chain.
  make_host_folder
  host_write_exchange "$folder"
  printf '; mine\r\n[Option]\r\nInfo=1\r\n' >"$folder/Z_Orbi.ini"
  run_launcher
  click_grid_row 2
  click_button OK
  launcher_ends
  expect_exchange "h/$bat2" "h#B.BATを起動します"
  head -c 8 "$folder/Z_Orbi.ini" | cmp -s - <(printf '; mine\r\n') || fail "the settings lost their comment"
  ;;

favourites)
  # B run three times and then A once through the host, each by its number key:
  # Ctrl+F with nothing typed then lists B first, and Enter runs it (Enter
  # alone would run A, the pick of the last run).
  make_host_folder
  for key in 2 2 2 1 ""; do
    host_write_exchange "$folder"
    run_launcher
    focus_main_window
    if [ -n "$key" ]; then xdotool key "$key" Return; else xdotool key ctrl+f Return; fi
    launcher_ends
  done
  expect_exchange "h/$bat2"
  grep -c $'\t' "$folder/Z_Orbi.use" | grep -qx 2 || fail "the usage file: $(cat "$folder/Z_Orbi.use")"
  ;;

*)
  fail "unknown case $case_name"
  ;;
esac
echo "host flow $case_name passed"
