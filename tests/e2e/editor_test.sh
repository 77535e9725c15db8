# Editing from the grid menu with a stand-in editor that records its command
# line: the editor is chosen through 設定's 参照 in a folder whose name holds
# a space; バッチファイル編集, スクリプト編集 with one script and with a choice
# between two, and エディタ起動 each start it with exactly the expected line.
# A decoy "my.exe" is what an unquoted "...\my editor\ed.exe" would start.
#
#   editor_test.sh Z_Orbi.exe zorbi_probe.exe zorbi_record_command_line.exe [SHOTS_DIR]
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh" "$1" "$2"
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/capture-lib.sh"
recorder=$3
shots=${4:-}

make_program_folder
folder=$program_folder
w=$(wine_path "$folder")
mkdir "$folder/my editor"
cp "$recorder" "$folder/my editor/ed.exe"
cp "$recorder" "$folder/my.exe"
editor="$w\\my editor\\ed.exe"
log="$folder/my editor/command-lines.txt"
printf '@REM one\r\njgawk -f one.awk %%1\r\n' >"$folder/A.BAT"
printf '@REM two\r\njgawk -f two.awk %%1\r\njgawk -f one.awk %%1\r\n' >"$folder/B.BAT"
touch "$folder/one.awk" "$folder/two.awk"
python3 "$(dirname "${BASH_SOURCE[0]}")/make_catalogue.py" "$folder/Z_Orbi.DAT" \
  --tab Tab1 --item "$w\\A.BAT" one 2 '"one"' --item "$w\\B.BAT" two 0 '"two"'

menu_open() { probe list | grep -q '^#32768'; }
recorded_lines() { [ -f "$log" ] && [ "$(wc -l <"$log")" -ge "$1" ]; }

# Right-clicks a grid row and takes the command `up` lines above the
# menu's last (1: エディタ起動, 2: スクリプト編集, 3: バッチファイル編集; the last,
# タブで表示, is greyed here but still takes an Up).
grid_menu() {
  local row=$1 up=$2 left top width height
  read -r left top width height < <(probe child-rect "$MAIN_CAPTION" TStringGrid)
  xdotool mousemove $((left + 2 + 26 + 91 + 60)) $((top + 2 + 21 * row + 10)) click 1 click 3
  eventually 15 menu_open || fail "the grid menu did not open"
  for _ in $(seq $((up + 1))); do xdotool key Up; done
  xdotool key Return
}

# The command `n`-th started must be exactly `expected`.
expect_started() {
  local n=$1 expected=$2
  eventually 10 recorded_lines "$n" || fail "the editor was not started (line $n)"
  expect_eq "$(sed -n "${n}p" "$log")" "$expected" "command line $n"
}

start_program "$folder"
focus_main_window
xdotool key alt+f e
probe wait-window @TForm4 10000 || fail "設定 did not open"
probe press @TForm4 参照
# The open dialog's caption follows Wine's language.
open_dialog() {
  for caption in Open 開く; do
    probe wait-dialog "$caption" 0 >/dev/null 2>&1 && { echo "$caption"; return 0; }
  done
  return 1
}
eventually 10 open_dialog || fail "no open dialog"
xdotool search --onlyvisible --name "^$(open_dialog)\$" windowfocus --sync
xdotool type --delay 20 "$editor"
xdotool key Return
eventually 10 bash -c "wine '$ZORBI_PROBE' text @TForm4 | grep -qx ed.exe" ||
  fail "TForm4 does not show the editor's name: $(probe text @TForm4)"
[ -z "$shots" ] || capture_window "$ZORBI_PROBE" @TForm4 "$shots/editor-settings.png"
probe press @TForm4 OK
probe wait-gone @TForm4 5000 || fail "OK did not close 設定"

grid_menu 1 3
expect_started 1 "\"$editor\" \"$w\\A.BAT\""
grid_menu 1 2
expect_started 2 "\"$editor\" \"$w\\one.awk\""
grid_menu 2 2
probe wait-window スクリプト選択 10000 || fail "no script choice for two scripts"
read -r left top width height < <(probe child-rect スクリプト選択 ListBox)
# Sorted: one.awk, then two.awk on the second line.
xdotool mousemove $((left + 20)) $((top + 2 + 15 + 7)) click 1
[ -z "$shots" ] || capture_window "$ZORBI_PROBE" スクリプト選択 "$shots/script-choice.png"
probe press スクリプト選択 OK
expect_started 3 "\"$editor\" \"$w\\two.awk\""
grid_menu 1 1
expect_started 4 "\"$editor\""

probe close "$MAIN_CAPTION"
wait_program_end 10
expect_eq "$(wc -l <"$log")" 4 "editor starts"
[ ! -e "$folder/command-lines.txt" ] || fail "the decoy was started: $(cat "$folder/command-lines.txt")"
echo "editor test passed"
