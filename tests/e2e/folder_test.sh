# The demo's folder of example BATs dropped on the grid of its own catalogue:
# asked about subfolders (いいえ), the two BATs of the other tab are added to
# the shown tab in name order and the three already on it are skipped, though
# the dropped path differs from theirs in letter case. café.bat, whose name
# has no Shift-JIS form, is named as it is spelled, with that reason.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh" "$@"
shots=${3:-}
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
source "$repo/scripts/capture-lib.sh"

make_program_folder
folder=$program_folder
bash "$repo/scripts/make-demo" "$folder" >/dev/null
cp "$ZORBI_EXE" "$folder/Z_Orbi.exe"
printf '@REM cafe\r\n' >"$folder/外部変形/café.bat"
start_program "$folder"

win_folder="z:${folder//\//\\}\\外部変形"
answer() { probe press Z_ORBI "$1" 2>/dev/null || probe press Z_ORBI "$2"; }
dialog_says() { probe dialog-text Z_ORBI | grep -q "$1"; }
if [ -n "$shots" ]; then
  read -r grid_left grid_top _ _ < <(probe child-rect "$MAIN_CAPTION" TStringGrid)
  xdotool mousemove $((grid_left + 110)) $((grid_top + 60)) click 3
  eventually 5 menus_open 1 || fail "the grid menu did not open"
  capture_window "$ZORBI_PROBE" @#32768 "$shots/menu-grid.png"
  xdotool key Escape
  eventually 5 eval '! menus_open 1' || fail "the grid menu stayed open"
fi
probe drop "$MAIN_CAPTION" TStringGrid "$win_folder"
eventually 15 dialog_says "サブフォルダ" || fail "no question about subfolders"
dialog_says "タブ「作図」" || fail "the question does not name the shown tab"
[ -z "$shots" ] || capture_window "$ZORBI_PROBE" @TListMessageForm "$shots/folder-question.png"
answer No いいえ
eventually 15 dialog_says "件の BAT" || fail "no report"
report=$(probe dialog-text Z_ORBI)
grep -q "^2 件の BAT" <<<"$report" && grep -q "登録済みの 3 件" <<<"$report" ||
  fail "report: $report"
grep -A1 "名前に Shift-JIS で表せない文字がある" <<<"$report" | grep -q '\\外部変形\\café\.bat$' &&
  ! grep -q "読み込めない" <<<"$report" || fail "café.bat: $report"
probe press Z_ORBI OK
[ -z "$shots" ] || capture_window "$ZORBI_PROBE" "$MAIN_CAPTION" "$shots/folder-registered.png"

probe close "$MAIN_CAPTION"
wait_program_end 10
expect_eq "$(data_file_items "$folder/Z_Orbi.DAT" | awk -F'|' '$3 == 0 { printf "%s %s %s;", $1, $2, $4 }')" \
  "円を描く.BAT 選択した点を中心に円を描く 0;線を引く.BAT 2点間に線を引く 1;文字を書く.BAT 図面に文字を書き込む 2;消去.BAT 選択した図形を消去する 3;複写.BAT 選択した図形を複写する 4;" \
  "the shown tab as saved"
echo "folder test passed"
