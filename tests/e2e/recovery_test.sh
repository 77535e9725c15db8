# Catalogue recovery and the host console link, on the real program:
#   recovery_test.sh <Z_Orbi.exe> <zorbi_probe.exe> <case>
# path_txt     "PATH.TXT から復旧" chosen from the menu by keyboard rebuilds the
#              catalogue from PATH.TXT and the BAT files: a path with a comma
#              reads back whole, blank lines and CR CR LF ends are skipped, and
#              a line naming a missing file is listed and, after はい, left out
# one_console  with JWCheck on, a window of a cmd.exe process is found without
#              a message, and is the foreground window after the program ends
# two_consoles two such windows give the ambiguity message at start-up
# long_list    25 unusable lines with paths of about 150 characters: the
#              question and its buttons are on the 1280x1024 screen (run it
#              at 96 and at 144 DPI), Ctrl+A and Ctrl+C copy the list, Esc
#              (or the keys given fifth) answers いいえ and nothing is
#              restored. A folder as a fourth argument gets a picture of it.
# big_restore  a PATH.TXT of 100,000 items: the restore shows its progress
#              while the main window still answers, and キャンセル there
#              leaves the catalogue and both files as they were
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh" "$@"
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/capture-lib.sh"
case_name=$3
shots=${4:-}
[ -z "$shots" ] || mkdir -p "$shots"

make_program_folder
folder=$program_folder
w=$(wine_path "$folder")

# A stand-in for another program's window: our own window program under the
# name `exe` (cmd.exe for the host's console).
start_window() {
  local caption=$1 exe=$2 dir="$folder/window-$1"
  mkdir -p "$dir"
  cp "$ZORBI_PROBE" "$dir/$exe"
  (cd "$dir" && exec wine "./$exe" show-window "$caption") &
  probe wait-window "$caption" 15000 || fail "the window $caption did not appear"
}

no_message() { ! probe wait-dialog Z_ORBI 0; }
foreground_is() { [ "$(probe foreground)" = "$1" ]; }

jwcheck_on() { printf '[Option]\r\nJWCheck=1\r\n' >"$folder/Z_Orbi.ini"; }

# "PATH.TXT から復旧" chosen by keyboard, and its first question answered OK.
restore_from_path_txt() {
  focus_main_window
  xdotool key alt+o
  eventually 15 menus_open 1 || fail "the options menu did not open"
  xdotool key r
  eventually 15 menus_open 2 || fail "the recovery submenu did not open"
  xdotool key Down Return
  expect_message "現在の設定を破棄して前回の内容に戻します。"
  xdotool key Return
}

list_copied() {
  local copied
  copied=$(probe clipboard | tr -d '\r')
  [[ "$(head -1 <<<"$copied")" == "2 行目: 0,$w\\"* ]] && [ "$(tail -1 <<<"$copied")" = "... ほか 5 行" ]
}

case "$case_name" in
path_txt)
  for name in A,v2 B C; do printf '@REM %s new\r\n' "$name" >"$folder/$name.BAT"; done
  python3 "$(dirname "${BASH_SOURCE[0]}")/make_catalogue.py" "$folder/Z_Orbi.DAT" \
    --tab Old --item "$w\\C.BAT" "C old" 2 '"C old"'
  # Not in the form the program writes, so only a restore gives the export below.
  printf 'First,"Second tab"\r\r\n1 , %s\\B.BAT\r\r\n0,%s\\A,v2.BAT\r\r\n1,%s\\GONE.BAT\r\r\n' \
    "$w" "$w" "$w" >"$folder/PATH.TXT"
  printf '1,%s\\C.BAT\r\r\n\r\r\n' "$w" >>"$folder/PATH.TXT"
  start_program "$folder"
  restore_from_path_txt
  eventually 10 dialog_starts_with "PATH.TXT の次の 1 行は使えません。" ||
    fail "no question about the unusable line: $(probe dialog-text Z_ORBI 2>/dev/null)"
  probe dialog-text Z_ORBI | grep -qF "4 行目: 1,$w\GONE.BAT" ||
    fail "the question does not name line 4: $(probe dialog-text Z_ORBI)"
  probe press Z_ORBI Yes 2>/dev/null || probe press Z_ORBI はい
  eventually 10 no_message || fail "a message after the restore: $(probe dialog-text Z_ORBI)"
  expect_eq "$(probe tab "$MAIN_CAPTION")" "0 2" "selected tab and tab count"
  eventually 10 memo_shows 'A,v2 new' || fail "the first item of the first tab is not A,v2.BAT"
  # The grid holds the restored items: the second tab's second row is C.BAT.
  focus_main_window
  xdotool keydown ctrl keydown 2 keyup 2 keyup ctrl
  eventually 15 tab_is "1 2" || fail "Ctrl+2 did not switch to the second tab"
  click_grid_row 2
  eventually 15 memo_shows 'C new' ||
    fail "row 2 of the second tab does not show C.BAT's memo"
  click_button キャンセル
  wait_program_end 10
  expected=$(printf 'First,"Second tab"\r\n0,%s\\A,v2.BAT\r\n1,%s\\B.BAT\r\n1,%s\\C.BAT\r\n' \
    "$w" "$w" "$w")
  expect_eq "$(cat "$folder/PATH.TXT")" "$expected" "PATH.TXT written from the restored catalogue"
  ;;

one_console)
  jwcheck_on
  start_window "Console A" cmd.exe
  # In front of the console: without the switch, it would be the foreground
  # window once the program's own windows are gone.
  start_window "Other" other.exe
  start_program "$folder"
  no_message || fail "a message at start-up: $(probe dialog-text Z_ORBI)"
  probe close "$MAIN_CAPTION"
  wait_program_end 10
  eventually 15 foreground_is "Console A" ||
    fail "the foreground window is '$(probe foreground)', not Console A"
  ;;

two_consoles)
  jwcheck_on
  start_window "Console A" cmd.exe
  start_window "Console B" cmd.exe
  (cd "$folder" && exec wine ./Z_Orbi.exe) &
  app_pid=$!
  expect_message "ターゲットの認識に失敗しました、JW_WINに戻らない可能性があります。"
  probe press Z_ORBI OK
  probe wait-window "$MAIN_CAPTION" 15000 || fail "the main window did not appear"
  probe close "$MAIN_CAPTION"
  wait_program_end 10
  ;;

long_list)
  printf '@REM Old\r\n' >"$folder/Old.BAT"
  python3 "$(dirname "${BASH_SOURCE[0]}")/make_catalogue.py" "$folder/Z_Orbi.DAT" \
    --tab Old --item "$w\\Old.BAT" Old 2 Old
  long=$(printf 'drawing_tools_folder_%d\\' 1 2 3 4 5)
  { printf 'First,Second\r\n'; for n in $(seq 1 25); do printf '0,%s\\%sGONE_%02d.BAT\r\n' "$w" "$long" "$n"; done; } >"$folder/PATH.TXT"
  start_program "$folder"
  restore_from_path_txt
  probe wait-window @TListMessageForm 10000 || fail "no list with the question: $(probe list)"
  dialog_starts_with "PATH.TXT の次の 25 行は使えません。" || fail "the question: $(probe dialog-text Z_ORBI)"
  # The question and its buttons on the 1280x1024 screen.
  for part in "rect @TListMessageForm" "button-rect @TListMessageForm はい" "button-rect @TListMessageForm いいえ"; do
    read -r left top width height < <(probe $part)
    echo "$part: ${width}x$height at $left,$top"
    [ "$left" -ge 0 ] && [ "$top" -ge 0 ] && [ $((left + width)) -le 1280 ] && [ $((top + height)) -le 1024 ] ||
      fail "$part leaves the screen"
  done
  [ -z "$shots" ] || capture_window "$ZORBI_PROBE" @TListMessageForm "$shots/list-question.png"
  read -r left top width height < <(probe child-rect @TListMessageForm Edit)
  xdotool mousemove $((left + width / 2)) $((top + height / 2)) click 1
  xdotool keydown ctrl keydown a keyup a keyup ctrl keydown ctrl keydown c keyup c keyup ctrl
  eventually 10 list_copied || fail "Ctrl+A, Ctrl+C copied: $(probe clipboard)"
  xdotool key ${5:-Escape}
  probe wait-gone @TListMessageForm 10000 || fail "${5:-Escape} left the question open"
  no_message || fail "a message after Esc: $(probe dialog-text Z_ORBI)"
  expect_eq "$(probe tab "$MAIN_CAPTION")" "0 1" "selected tab and tab count after ${5:-Escape}"
  probe close "$MAIN_CAPTION"
  wait_program_end 10
  ;;

big_restore)
  printf '@REM Old\r\n' >"$folder/Old.BAT"
  python3 "$(dirname "${BASH_SOURCE[0]}")/make_catalogue.py" "$folder/Z_Orbi.DAT" \
    --tab Old --item "$w\\Old.BAT" Old 2 Old
  for n in 0 1 2 3 4 5 6 7 8 9; do printf '@REM Big %d\r\n' $n >"$folder/Big$n.BAT"; done
  python3 -c 'import sys; sys.stdout.buffer.write(b"Big\r\n" + b"".join(
      b"0,%s\\Big%d.BAT\r\n" % (sys.argv[1].encode(), n % 10) for n in range(100000)))' "$w" \
    >"$folder/PATH.TXT"
  for file in Z_Orbi.DAT PATH.TXT; do cp "$folder/$file" "$folder/$file.before"; done
  start_program "$folder"
  restore_from_path_txt
  probe wait-window 項目修復 15000 || fail "no progress window"
  # The main window is not frozen: it gives its texts while the work runs.
  memo_shows Old || fail "the main window does not answer during the restore"
  probe press 項目修復 キャンセル
  probe wait-gone 項目修復 15000 || fail "キャンセル left the progress window open"
  no_message || fail "a message after キャンセル: $(probe dialog-text Z_ORBI)"
  for file in Z_Orbi.DAT PATH.TXT; do
    cmp -s "$folder/$file" "$folder/$file.before" || fail "$file changed"
  done
  expect_eq "$(probe tab "$MAIN_CAPTION")" "0 1" "selected tab and tab count"
  probe close "$MAIN_CAPTION"
  wait_program_end 15
  expect_eq "$(data_file_items "$folder/Z_Orbi.DAT")" "Old.BAT|Old|0|0|Old" "the catalogue saved at close"
  ;;

*)
  fail "unknown case $case_name"
  ;;
esac
for caption in "Console A" "Console B" Other; do probe close "$caption" >/dev/null 2>&1 || true; done
echo "recovery $case_name passed"
