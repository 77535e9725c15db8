# Damaged and unusable files, a folder or files the user may not write: the
# program says so, loses nothing, and can always be closed.
#
#   faults_test.sh Z_Orbi.exe zorbi_probe.exe CASE
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh" "$1" "$2"
case_name=$3

keep_copy() { cp -a "$1" "$1.before" && folders+=("$1.before"); }
same_as_before() { cmp -s "$1" "$1.before" || fail "$(basename "$1") was changed"; }
# The item count, a 32-bit field at offset 20 of the data file.
set_item_count() {
  python3 -c 'import struct,sys; f=open(sys.argv[1],"r+b"); f.seek(20); f.write(struct.pack("<i",int(sys.argv[2])))' \
    "$folder/Z_Orbi.DAT" "$1"
}
files_in_folder() { LC_ALL=C ls -A "$folder" | tr '\n' ' '; }
# Answers the question shown; Wine labels the buttons in its own language.
answer() { probe press Z_ORBI "$1" 2>/dev/null || probe press Z_ORBI "$2"; }
start_without_window() {
  (cd "$folder" && exec "${wine_cmd[@]}" ./Z_Orbi.exe) &
  app_pid=$!
}

case $case_name in
damaged_count)
  make_host_folder
  good=$(mktemp)
  folders+=("$good")
  cp "$folder/Z_Orbi.DAT" "$good"
  set_item_count -1
  keep_copy "$folder/Z_Orbi.DAT"
  listing=$(files_in_folder)
  start_without_window
  expect_message "データファイルではありません、終了します。"
  probe press Z_ORBI OK
  wait_program_end 10
  same_as_before "$folder/Z_Orbi.DAT"
  expect_eq "$(files_in_folder)" "$listing" "files after a refused start"

  # Too small a count: the items after it are ignored, and kept in the backup.
  cp "$good" "$folder/Z_Orbi.DAT"
  set_item_count 3
  keep_copy "$folder/Z_Orbi.DAT"
  start_program "$folder"
  probe close "$MAIN_CAPTION"
  wait_program_end 10
  cmp -s "$folder/Z_Orbi.DAT.bak" "$folder/Z_Orbi.DAT.before" || fail "no backup of the damaged file"
  ;;

folder_as_data_file)
  make_host_folder
  rm "$folder/Z_Orbi.DAT"
  mkdir "$folder/Z_Orbi.DAT"
  printf 'Tab1\r\n' >"$folder/PATH.TXT"
  keep_copy "$folder/PATH.TXT"
  start_without_window
  expect_message "Z_Orbi.DAT を読み込めません、終了します。"
  probe press Z_ORBI OK
  wait_program_end 10
  same_as_before "$folder/PATH.TXT"
  [ -d "$folder/Z_Orbi.DAT" ] || fail "the folder Z_Orbi.DAT is gone"
  ;;

read_only_folder)
  # The files are the user's, the folder is not: each file is written in place.
  as_other_user
  make_host_folder
  printf 'old\r\n' >"$folder/PATH.TXT"
  : >"$folder/Z_Orbi.ini"
  chown nobody:nogroup "$folder"/*
  start_program "$folder"
  click_button OK
  wait_program_end 15
  expect_exchange "h/$bat1"
  [[ "$(cat "$folder/PATH.TXT")" == *A.BAT* ]] || fail "PATH.TXT was not written"
  expect_eq "$(files_in_folder)" "A.BAT B.BAT C.BAT D.BAT PATH.TXT Z_Orbi.BAT Z_Orbi.DAT Z_Orbi.exe Z_Orbi.ini jwc_temp.txt " \
    "files in the folder"
  ;;

read_only_files)
  # A writable folder with read-only files: nothing is replaced, and the
  # window closes once the user agrees to leave the files as they are.
  as_other_user
  make_host_folder
  chown nobody:nogroup "$folder" "$folder"/*
  chmod 444 "$folder/Z_Orbi.DAT" "$folder/jwc_temp.txt"
  keep_copy "$folder/Z_Orbi.DAT"
  keep_copy "$folder/jwc_temp.txt"
  start_program "$folder"
  probe close "$MAIN_CAPTION"
  probe wait-dialog Z_ORBI 10000 || fail "no question about Z_Orbi.DAT"
  eventually 5 dialog_starts_with "Z_Orbi.DAT を保存できませんでした。" || fail "not the data file's question"
  answer No いいえ
  eventually 10 no_dialog || fail "the question stayed"
  probe wait-window "$MAIN_CAPTION" 0 >/dev/null || fail "No closed the window"
  probe close "$MAIN_CAPTION"
  probe wait-dialog Z_ORBI 10000 || fail "no question at the second close"
  answer Yes はい
  # The close goes on with the exchange file, which is read-only too.
  eventually 10 dialog_starts_with "jwc_temp.txt を保存できませんでした。" || fail "no question about jwc_temp.txt"
  answer Yes はい
  wait_program_end 15
  same_as_before "$folder/Z_Orbi.DAT"
  same_as_before "$folder/jwc_temp.txt"
  expect_eq "$(stat -c %a "$folder/Z_Orbi.DAT")" 444 "mode of Z_Orbi.DAT"
  ;;

two_copies)
  # Another copy of the program in this folder saves its catalogue while
  # this one is open: before anything is written the user is asked.
  # キャンセル keeps the window and writes nothing; いいえ closes keeping the
  # other copy's catalogue and PATH.TXT; はい replaces them.
  make_host_folder
  start_program "$folder"
  python3 "$(dirname "${BASH_SOURCE[0]}")/make_catalogue.py" "$folder/Z_Orbi.DAT" --tab Other
  printf 'Other\r\n' >"$folder/PATH.TXT"
  keep_copy "$folder/Z_Orbi.DAT"
  keep_copy "$folder/PATH.TXT"
  probe press "$MAIN_CAPTION" OK
  eventually 10 dialog_starts_with "Z_Orbi.DAT は、このウィンドウが開いた後に書き換えられています" ||
    fail "no question about the changed data file: $(probe dialog-text Z_ORBI 2>/dev/null)"
  # The question names its buttons: they are our own, captioned as it says
  # (a system box reads Cancel in this prefix's language).
  probe press Z_ORBI キャンセル
  eventually 10 no_dialog || fail "the question stayed"
  probe wait-window "$MAIN_CAPTION" 0 >/dev/null || fail "キャンセル closed the window"
  same_as_before "$folder/Z_Orbi.DAT"
  same_as_before "$folder/PATH.TXT"
  [ ! -e "$folder/Z_Orbi.ini" ] || fail "the settings were written before the answer"
  probe press "$MAIN_CAPTION" OK
  eventually 10 dialog_starts_with "Z_Orbi.DAT は" || fail "no question at the second close"
  probe press Z_ORBI いいえ
  wait_program_end 15
  same_as_before "$folder/Z_Orbi.DAT"
  same_as_before "$folder/PATH.TXT"
  [ -e "$folder/Z_Orbi.ini" ] || fail "いいえ did not save the settings"
  ;;

invalid_item_once)
  make_host_folder
  rm "$folder/A.BAT"  # the picked item's
  start_without_window
  expect_message "選択項目の外部変形は無効です、削除してください。"
  probe press Z_ORBI OK
  probe wait-window "$MAIN_CAPTION" 20000 || fail "the main window did not open"
  no_dialog || fail "a second message box: $(probe dialog-text Z_ORBI)"
  probe close "$MAIN_CAPTION"
  wait_program_end 10
  ;;

*) fail "unknown case $case_name" ;;
esac
echo "faults test $case_name passed"
