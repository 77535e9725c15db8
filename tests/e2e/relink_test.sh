# Relinking after the BAT files' folder was renamed: the rows are marked as
# missing, リンク切れ項目の再リンク... with the new folder typed into the folder
# dialog lists both items, and OK stores their new paths. Given a folder,
# the guide's pictures of the marked rows and of the list go there (its
# option menu is pictured on the demo catalogue, not here).
#
#   relink_test.sh Z_Orbi.exe zorbi_probe.exe [SHOTS_FOLDER]
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh" "$1" "$2"
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/capture-lib.sh"
shots=${3:-}
[ -z "$shots" ] || mkdir -p "$shots"

make_program_folder
folder=$program_folder
mkdir "$folder/bat-old" "$folder/other"
for name in A B; do printf '@REM %s summary\r\necho %s\r\n' "$name" "$name" >"$folder/bat-old/$name.BAT"; done
printf '@REM C summary\r\n' >"$folder/other/C.BAT"
old=$(wine_path "$folder/bat-old")
python3 "$(dirname "${BASH_SOURCE[0]}")/make_catalogue.py" "$folder/Z_Orbi.DAT" \
  --tab 作図 --item "$old\\A.BAT" "A summary" 2 '"A summary"' \
  --item "$(wine_path "$folder/other")\\C.BAT" "C summary" 0 '"C summary"' \
  --item "$old\\b.bat" "B summary" 0 '"B summary"'
mv "$folder/bat-old" "$folder/bat-new"

# The pick's file is gone: the invalid-item warning comes before the window.
(cd "$folder" && exec "${wine_cmd[@]}" ./Z_Orbi.exe) &
app_pid=$!
probe wait-dialog Z_ORBI 15000 || fail "no warning for the missing pick"
probe press Z_ORBI OK
probe wait-window "$MAIN_CAPTION" 15000 || fail "the main window did not appear"
focus_main_window
[ -z "$shots" ] || capture_window "$ZORBI_PROBE" "$MAIN_CAPTION" "$shots/missing-marks.png"

# ｵﾌﾟｼｮﾝ(&O) opens on its first command; Up wraps to the last, リンク切れ項目の再リンク...
xdotool key alt+o
eventually 5 menus_open 1 || fail "the option menu did not open"
xdotool key Up Return
folder_dialog() { probe list | grep -m1 '^#32770' | cut -f2; }
folder_dialog_open() { [ -n "$(folder_dialog)" ]; }
eventually 15 folder_dialog_open || fail "the folder dialog did not open"
# Wine's dialog takes a typed path in its file-name box.
wid=$(xdotool search --onlyvisible --name "^$(folder_dialog)\$" | head -1)
xdotool windowfocus --sync "$wid"
xdotool type --delay 20 "$(wine_path "$folder/bat-new")"
xdotool key Return

relink_caption=リンク切れ項目の再リンク
probe wait-window "$relink_caption" 15000 || fail "the relink list did not appear: $(probe list)"
probe text "$relink_caption" | grep -q "再リンク: 2 件" || fail "counts: $(probe text "$relink_caption")"
[ -z "$shots" ] || capture_window "$ZORBI_PROBE" "$relink_caption" "$shots/relink.png"
probe press "$relink_caption" OK
probe wait-gone "$relink_caption" 10000 || fail "the relink list stayed open"

probe close "$MAIN_CAPTION"
wait_program_end 10
paths=$(grep -ao 'bat-[a-z]*\\[A-Za-z]*\.[A-Za-z]*' "$folder/Z_Orbi.DAT" | tr '\n' ' ')
expect_eq "$paths" 'bat-new\A.BAT bat-new\B.BAT ' "relinked paths in the data file"
grep -qa 'other\\C.BAT' "$folder/Z_Orbi.DAT" || fail "the item whose file was there changed"
echo "relink test passed"
