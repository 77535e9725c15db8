# Dated backups of the data file: two closes that change the catalogue leave
# two backups of Z_Orbi.DAT, the older holding the file as it was first, and
# "バックアップから復旧..." restores that one. Given a folder, a picture of the
# backup list goes there.
#
#   backup_test.sh Z_Orbi.exe zorbi_probe.exe [SHOTS_FOLDER]
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh" "$1" "$2"
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/capture-lib.sh"
shots=${3:-}
[ -z "$shots" ] || mkdir -p "$shots"

make_program_folder
folder=$program_folder
w=$(wine_path "$folder")
for name in A B C; do printf '@REM %s summary\r\necho %s\r\n' "$name" "$name" >"$folder/$name.BAT"; done
python3 "$(dirname "${BASH_SOURCE[0]}")/make_catalogue.py" "$folder/Z_Orbi.DAT" \
  --tab 作図 --item "$w\\A.BAT" "A summary" 2 '"A summary"' \
  --item "$w\\B.BAT" "B summary" 0 '"B summary"' --item "$w\\C.BAT" "C summary" 0 '"C summary"'
cp "$folder/Z_Orbi.DAT" "$folder/first.DAT"

backups() { ls "$folder/backup" | grep -E '^Z_Orbi-[0-9]{8}-[0-9]{6}\.DAT$'; }

# Two closes, each picking another row: each replaces Z_Orbi.DAT.
letters=(- A B C)
for row in 2 3; do
  start_program "$folder"
  click_grid_row $row
  eventually 10 memo_shows "${letters[$row]} summary" ||
    fail "row $row was not picked: $(probe text "$MAIN_CAPTION")"
  cp "$folder/Z_Orbi.DAT" "$folder/before-$row.DAT"
  probe close "$MAIN_CAPTION"
  wait_program_end 15
  ! cmp -s "$folder/Z_Orbi.DAT" "$folder/before-$row.DAT" || fail "close $((row - 1)) kept the data file"
done
expect_eq "$(backups | wc -l)" 2 "backups after two closes ($(ls "$folder/backup" | tr '\n' ' '))"
cmp -s "$folder/backup/$(backups | head -1)" "$folder/first.DAT" ||
  fail "the older backup is not the data file as it was first"
cmp -s "$folder/backup/$(backups | tail -1)" "$folder/before-3.DAT" ||
  fail "the newer backup is not the data file as the second close found it"

# ｵﾌﾟｼｮﾝ(&O) ▸ 項目修復(&R) opens on its first command; Up wraps to the last,
# バックアップから復旧...
start_program "$folder"
focus_main_window
xdotool key alt+o
eventually 15 menus_open 1 || fail "the options menu did not open"
xdotool key r
eventually 15 menus_open 2 || fail "the recovery submenu did not open"
xdotool key Up Return
list_caption=バックアップから復旧
probe wait-window "$list_caption" 15000 || fail "the backup list did not appear: $(probe list)"
[ -z "$shots" ] || capture_window "$ZORBI_PROBE" "$list_caption" "$shots/backup-list.png"
# The list has the focus on the newest; Down and Enter take the older.
wid=$(xdotool search --onlyvisible --name "^$list_caption\$" | head -1)
xdotool windowfocus --sync "$wid"
xdotool key Down Return
expect_message "現在の設定を破棄して前回の内容に戻します。"
probe press Z_ORBI OK
probe wait-gone "$list_caption" 10000 || fail "the backup list stayed open"
eventually 10 memo_shows 'A summary' ||
  fail "the first pick is not shown after the restore: $(probe text "$MAIN_CAPTION")"
probe close "$MAIN_CAPTION"
wait_program_end 15
# The first catalogue, its pick too, is what this close saved.
cmp -s "$folder/Z_Orbi.DAT" "$folder/first.DAT" || fail "the data file after the restore"
echo "backup test passed"
