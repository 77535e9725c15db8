# A folder with a catalogue: the window opens on the tab and row of the last
# pick with its memo shown, and closing by the close box rewrites Z_Orbi.DAT
# byte for byte without writing PATH.TXT.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh" "$@"
shot=${3:-}

make_program_folder
folder=$program_folder
win_folder="Z:${folder//\//\\}"
printf '@REM 円を描く\r\n' | iconv -f UTF-8 -t CP932 >"$folder/A.BAT"
printf '@REM Lines\r\n' >"$folder/B.BAT"
python3 "$(dirname "${BASH_SOURCE[0]}")/make_catalogue.py" "$folder/Z_Orbi.DAT" \
  --tab Tab1 --item "$win_folder\\B.BAT" Lines 1 '"Lines"' \
  --tab 作図 --item "$win_folder\\A.BAT" 円を描く 2 '"円を描く","二行目"'
cp "$folder/Z_Orbi.DAT" "$folder.original"
folders+=("$folder.original")

start_program "$folder"
expect_eq "$(probe tab "$MAIN_CAPTION")" "1 2" "selected tab and tab count"
# Each read retries: a program still busy starting may not answer the probe in time.
eventually 10 memo_shows 円を描く || fail "memo does not show the picked item's memo"
eventually 10 memo_shows 二行目 || fail "memo lacks its second line"
if [ -n "$shot" ]; then
  read -r left top width height < <(probe rect "$MAIN_CAPTION")
  import -window root -crop "${width}x${height}+${left}+${top}" +repage "$shot"
fi

probe close "$MAIN_CAPTION"
wait_program_end 10
expect_eq "$app_status" 0 "exit status"
cmp "$folder/Z_Orbi.DAT" "$folder.original" || fail "Z_Orbi.DAT changed"
expect_eq "$(LC_ALL=C ls -A "$folder" | tr '\n' ' ')" "A.BAT B.BAT Z_Orbi.BAT Z_Orbi.DAT Z_Orbi.exe Z_Orbi.ini " "files in the folder"
echo "catalogue test passed"
