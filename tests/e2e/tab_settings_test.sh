# Renaming a tab in タブ設定 with real X input: the data file written at the
# close holds the new name and nothing else changed, and a second start shows it.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh" "$@"
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/capture-lib.sh"
shot=${3:-}
DIALOG_CAPTION="タブ設定"

# The dialog's child texts hold this line (the name box's text).
dialog_shows() {
  eventually 10 bash -c "wine '$ZORBI_PROBE' text '$DIALOG_CAPTION' | grep -qx '$1'"
}

make_host_folder
rm "$exchange"

# Tab names and each item's tab and path, one line each.
catalogue_summary() {
  python3 - "$1" <<'PY'
import struct, sys
data = open(sys.argv[1], "rb").read()
pos = data.index(b"\0") + 1
tabs, items = struct.unpack_from("<ii", data, pos)
pos += 8
def counted():
    global pos
    (n,) = struct.unpack_from("<i", data, pos)
    text = data[pos + 4 : pos + 4 + n - 1]
    pos += 4 + n
    return text.decode("cp932")
for _ in range(tabs):
    print("tab", counted())
for _ in range(items):
    path, summary = counted(), counted()
    tab_no, position = struct.unpack_from("<ii", data, pos)
    pos += 8
    counted(), counted(), counted()
    pos += 8
    print("item", tab_no, position, path.rsplit("\\", 1)[-1])
PY
}

open_tab_settings() {
  focus_main_window
  xdotool key alt+o t
  probe wait-window "$DIALOG_CAPTION" 10000 || fail "タブ設定 did not open"
}

start_program "$folder"
open_tab_settings
# The list has the focus: its second line goes into the name box.
xdotool key Home Down
dialog_shows "編集" || fail "choosing a line does not fill the name box"
if [ -n "$shot" ]; then capture_window "$ZORBI_PROBE" "$DIALOG_CAPTION" "$shot"; fi
# Into the name box, which selects its text, and a new name typed over it.
xdotool key Tab
xdotool type --delay 20 "Parts 2"
click_button "変更" "$DIALOG_CAPTION"
click_button "閉じる" "$DIALOG_CAPTION"
probe wait-gone "$DIALOG_CAPTION" 10000 || fail "タブ設定 did not close"
probe close "$MAIN_CAPTION"
wait_program_end 10
expect_eq "$app_status" 0 "exit status"
expect_eq "$(catalogue_summary "$folder/Z_Orbi.DAT" | tr '\n' '|')" \
  "tab 作図|tab Parts 2|item 0 0 A.BAT|item 0 1 B.BAT|item 0 2 C.BAT|item 1 0 D.BAT|" \
  "catalogue after the rename"
cp "$folder/Z_Orbi.DAT" "$folder.renamed"
folders+=("$folder.renamed")

# A second start shows the name (the name box takes the selected line's text)
# and writes the file back unchanged.
start_program "$folder"
open_tab_settings
xdotool key Home Down
dialog_shows "Parts 2" || fail "the second start does not show the new name"
xdotool key Escape
probe wait-gone "$DIALOG_CAPTION" 10000 || fail "タブ設定 did not close on Escape"
probe close "$MAIN_CAPTION"
wait_program_end 10
cmp "$folder/Z_Orbi.DAT" "$folder.renamed" || fail "the second close changed Z_Orbi.DAT"
echo "tab settings test passed"
