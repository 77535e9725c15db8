# The option menu on the real program: "タブを全て表示" puts the tabs on several
# rows and is remembered in the settings file; the About box opens over the
# window and Escape closes it. Pictures of both go to the given folder.
#
#   options_test.sh Z_Orbi.exe zorbi_probe.exe OUT_FOLDER
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh" "$1" "$2"
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/capture-lib.sh"
out=$3
mkdir -p "$out"

make_program_folder
folder=$program_folder
tabs=()
for name in 外部変形 作図 文字 寸法 建具 設備 外構 印刷 その他; do tabs+=(--tab "$name"); done
python3 "$(dirname "${BASH_SOURCE[0]}")/make_catalogue.py" "$folder/Z_Orbi.DAT" "${tabs[@]}"

start_program "$folder"
focus_main_window
grid_top() { probe child-rect "$MAIN_CAPTION" TStringGrid | cut -d' ' -f2; }
one_row=$(grid_top)
# ｵﾌﾟｼｮﾝ(&O), down from タブ設定 to タブを全て表示.
xdotool key alt+o
xdotool key Down Return
grid_lower() { [ "$(grid_top)" -gt "$one_row" ]; }
eventually 5 grid_lower || fail "the grid did not move down under several rows of tabs"
capture_window "$ZORBI_PROBE" "$MAIN_CAPTION" "$out/tabs-multiline.png"

# The About box shares the caption; it is the one on top while it is shown.
xdotool key alt+h a
about_shown() { [ "$(probe rect "$MAIN_CAPTION" | cut -d' ' -f3-)" = "260 150" ]; }
eventually 5 about_shown || fail "no About box: $(probe rect "$MAIN_CAPTION")"
probe dialog-text "$MAIN_CAPTION" | grep -qxF "$MAIN_CAPTION" || fail "About box text"
capture_window "$ZORBI_PROBE" "$MAIN_CAPTION" "$out/about.png"
xdotool key Escape
about_gone() { ! about_shown; }
eventually 5 about_gone || fail "Escape did not close the About box"

probe close "$MAIN_CAPTION"
wait_program_end 10
grep -qa $'^MultiLine=1\r$' "$folder/Z_Orbi.ini" || fail "MultiLine not saved: $(cat "$folder/Z_Orbi.ini")"
echo "options test passed"
