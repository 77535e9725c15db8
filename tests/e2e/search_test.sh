# Find as you type with real X input: Ctrl+F, two words that only an item of
# the other tab holds, and Enter chain that item, not the pick on the shown tab.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh" "$@"
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/capture-lib.sh"
shot=${3:-}

make_host_folder
start_program "$folder"
focus_main_window
xdotool keydown ctrl key f keyup ctrl
xdotool type summ
# Results show no selected tab.
eventually 15 tab_is "-1 2" || fail "no results after typing: $(probe tab "$MAIN_CAPTION")"
if [ -n "$shot" ]; then
  eventually 10 memo_shows "A summary" || fail "the first result's memo is not shown"
  capture_window "$ZORBI_PROBE" "$MAIN_CAPTION" "$shot"
fi
xdotool type " d"
xdotool key Return
wait_program_end 10
expect_exchange "h/$bat_tab2"
echo "search test passed"
