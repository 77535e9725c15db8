# Start and close: the main window's caption, frame and bounds, the minimum
# size when dragging the border, the application title, and a clean end.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh" "$@"

make_program_folder
folder=$program_folder
start_program "$folder"

expect_eq "$(probe rect "$MAIN_CAPTION")" "193 113 545 357" "initial bounds"
expect_eq "$(probe style "$MAIN_CAPTION")" "caption sysmenu thickframe" "title bar and border"
# The task bar shows the application title, not the caption. That window is
# shown just after the main window.
probe wait-window "Z_ORBI" 5000 >/dev/null || fail "no application window titled Z_ORBI"

# Drag the bottom-right corner: out grows the window, in stops at 545 x 357.
xdotool mousemove 736 468 mousedown 1 mousemove 770 490 mousemove 800 520 mouseup 1
eventually 5 main_rect_is "193 113 609 409" ||
  fail "dragging the border out: got '$(probe rect "$MAIN_CAPTION")'"
xdotool mousemove 800 520 mousedown 1 mousemove 600 400 mousemove 400 300 mouseup 1
eventually 5 main_rect_is "193 113 545 357" ||
  fail "dragging the border in: got '$(probe rect "$MAIN_CAPTION")'"

# Closed while the border is being dragged: the drag's own loop takes the
# quit message, and the program must end all the same.
xdotool mousemove 736 468 mousedown 1 mousemove 760 480
eventually 5 main_rect_is "193 113 569 369" || fail "the second drag did not start"
probe close "$MAIN_CAPTION"
xdotool mouseup 1
wait_program_end 10
expect_eq "$app_status" 0 "exit status"
probe wait-gone "Z_ORBI" 2000 || fail "the application window outlived the program"
# Closing saves the new one-tab catalogue and the settings; nothing else is left.
expect_eq "$(LC_ALL=C ls -A "$folder" | tr '\n' ' ')" "Z_Orbi.BAT Z_Orbi.DAT Z_Orbi.exe Z_Orbi.ini " "files in the program's folder"
expect_eq "$(od -An -tx1 "$folder/Z_Orbi.DAT" | tr -d ' \n')" \
  "5a5f4f7262692e4461746146696c650001000000000000000500000054616231""00" "the saved catalogue"
echo "startup test passed"
