# At 144 dots per inch the window and everything in it are 1.5 times the
# original size, and a settings file means the same window as at 96: it keeps
# 96-DPI numbers. Run in a copy of the prefix whose desktop reports 144 DPI:
#
#   ZORBI_WINE_REG=dpi-144.reg wine-run bash dpi_test.sh Z_Orbi.exe zorbi_probe.exe OUT_FOLDER
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh" "$1" "$2"
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/capture-lib.sh"
out=$3
mkdir -p "$out"

make_program_folder
folder=$program_folder
printf '@REM 円を描く\r\n' | iconv -f UTF-8 -t CP932 >"$folder/A.BAT"
python3 "$(dirname "${BASH_SOURCE[0]}")/make_catalogue.py" "$folder/Z_Orbi.DAT" \
  --tab 作図 --item "$(wine_path "$folder")\\A.BAT" 円を描く 2 '"円を描く"' --tab 編集

for run in 1 2; do
  start_program "$folder"
  expect_eq "$(probe rect "$MAIN_CAPTION")" "290 170 818 536" "window at 144 DPI, run $run"
  read -r _ _ ok_width ok_height < <(probe button-rect "$MAIN_CAPTION" OK)
  expect_eq "$ok_width $ok_height" "230 38" "OK button at 144 DPI"
  [ $run = 1 ] && capture_window "$ZORBI_PROBE" "$MAIN_CAPTION" "$out/main-window-144dpi.png"
  probe close "$MAIN_CAPTION"
  wait_program_end 10
  # The second start reads what the first wrote.
  grep -qa $'^Width=545\r$' "$folder/Z_Orbi.ini" || fail "settings not in 96-DPI pixels"
done
echo "dpi test passed"
