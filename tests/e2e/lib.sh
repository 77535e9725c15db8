# Helpers for the black-box tests. A test script runs inside scripts/wine-run
# (DISPLAY and WINEPREFIX are set) and sources this file:
#   source lib.sh <Z_Orbi.exe> <zorbi_probe.exe>
# Every wait has a time limit.
set -euo pipefail

ZORBI_EXE=$1
ZORBI_PROBE=$2
MAIN_CAPTION="Z_Orbi Ver$(tr -d '\r\n' <"$(dirname "${BASH_SOURCE[0]}")/../../VERSION")"

app_pid=""
folders=()
wine_cmd=(wine)
other_prefix=""

lib_cleanup() {
  if [ -n "$app_pid" ] && kill -0 "$app_pid" 2>/dev/null; then kill "$app_pid" 2>/dev/null || true; fi
  # The other user's wineserver ends before its prefix goes.
  if [ -n "$other_prefix" ]; then
    "${wine_cmd[@]:0:${#wine_cmd[@]}-1}" wineserver -k 2>/dev/null || true
    timeout 20 "${wine_cmd[@]:0:${#wine_cmd[@]}-1}" wineserver -w 2>/dev/null || true
  fi
  if [ ${#folders[@]} -gt 0 ]; then rm -rf "${folders[@]}"; fi
}
trap lib_cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

probe() { "${wine_cmd[@]}" "$ZORBI_PROBE" "$@"; }

# From here on the program and the probe run as the user nobody, in a Wine
# prefix of that user's: root ignores file modes, so read-only files and
# folders can only be tried as another user. All that user needs (its home,
# the prefix, a copy of the probe) lives in a fresh temporary folder, as the
# clone itself may lie in a folder only its owner can enter. Folders made
# afterwards are open to that user; their files belong to root until the
# test hands them over with chown.
as_other_user() {
  local home
  home=$(mktemp -d "${TMPDIR:-/tmp}/zorbi-nobody.XXXXXX")
  folders+=("$home")
  chmod 755 "$home"
  chown nobody:nogroup "$home"
  cp "$ZORBI_PROBE" "$home/zorbi_probe.exe"
  ZORBI_PROBE=$home/zorbi_probe.exe
  other_prefix=$home/prefix
  wine_cmd=(setpriv --reuid=nobody --regid=nogroup --clear-groups env -i "PATH=$PATH"
            "HOME=$home" "WINEPREFIX=$other_prefix" WINEDEBUG=-all "DISPLAY=$DISPLAY"
            "LC_ALL=${LC_ALL:-C.UTF-8}" "WINEDLLOVERRIDES=mscoree=;mshtml=" wine)
  "${wine_cmd[@]:0:${#wine_cmd[@]}-1}" test -x "$home" ||
    fail "the user nobody cannot reach $home: set TMPDIR to a folder every user can enter"
  "${wine_cmd[@]:0:${#wine_cmd[@]}-1}" DISPLAY= wineboot -i >/dev/null 2>&1 ||
    fail "cannot make a Wine prefix for nobody"
  "${wine_cmd[@]:0:${#wine_cmd[@]}-1}" wineserver -w
}

# Runs a command until it succeeds, at most `seconds` long.
eventually() {
  local seconds=$1
  shift
  local deadline=$((SECONDS + seconds))
  until "$@" >/dev/null 2>&1; do
    [ $SECONDS -lt $deadline ] || return 1
    sleep 0.05
  done
}

expect_eq() {
  local actual=$1 expected=$2 what=$3
  [ "$actual" = "$expected" ] || fail "$what: expected '$expected', got '$actual'"
}

# A fresh folder holding a copy of the program and its launcher BAT, as a
# user would drop them; its path goes to `program_folder` (not printed: the
# clean-up list must not be filled in a subshell). An optional relative path
# puts the program that deep inside the fresh folder.
make_program_folder() {
  local top
  top=$(mktemp -d "${TMPDIR:-/tmp}/zorbi-e2e.XXXXXX")
  folders+=("$top")
  chmod 755 "$top"
  program_folder=$top${1:+/$1}
  mkdir -p "$program_folder"
  cp "$ZORBI_EXE" "$program_folder/Z_Orbi.exe"
  cp "$(dirname "$ZORBI_EXE")/Z_Orbi.BAT" "$program_folder/Z_Orbi.BAT"
}

# Starts Z_Orbi.exe in `folder` and waits for its main window.
start_program() {
  local folder=$1
  (cd "$folder" && exec "${wine_cmd[@]}" ./Z_Orbi.exe) &
  app_pid=$!
  probe wait-window "$MAIN_CAPTION" 15000 || fail "the main window did not appear"
}

# Waits for the program to end; its exit status goes to `app_status`.
# The deadline only tells a hang from a slow end: a loaded machine (a CI host
# building in parallel) can take well over 10 s to end a Wine process.
wait_program_end() {
  local seconds=$(($1 > 30 ? $1 : 30))
  timeout "$seconds" tail -s 0.05 --pid="$app_pid" -f /dev/null ||
    fail "the program did not end within $seconds s"
  app_status=0
  wait "$app_pid" || app_status=$?
  app_pid=""
}

# At least `count` menus are open (a submenu is one more).
menus_open() { [ "$(probe list | grep -c '^#32768')" -ge "$1" ]; }

# The main window's tab strip shows "index count"; read afresh on every try.
tab_is() { [ "$(probe tab "$MAIN_CAPTION")" = "$1" ]; }

# A line of the main window's control texts (the memo's lines among them).
memo_shows() { probe text "$MAIN_CAPTION" | tr -d '\r' | grep -qx "$1"; }

main_rect_is() { [ "$(probe rect "$MAIN_CAPTION")" = "$1" ]; }

# The items of a data file, one line each: file name|summary|tab|position|memo.
data_file_items() {
  python3 - "$1" <<'PY'
import struct, sys
data = open(sys.argv[1], "rb").read()
at = 16
tabs, items = struct.unpack_from("<ii", data, at); at += 8
def text():
    global at
    n, = struct.unpack_from("<i", data, at); at += 4 + n
    return data[at - n:at - 1].decode("cp932")
for _ in range(tabs): text()
for _ in range(items):
    path, summary = text(), text()
    tab, pos = struct.unpack_from("<ii", data, at); at += 8
    memo = text(); text(); text(); at += 8
    print(path.rsplit("\\", 1)[1], summary, tab, pos, memo, sep="|")
PY
}

# The Wine path of a Linux path (Wine maps Z: to /).
wine_path() { local p=${1//\//\\}; echo "Z:$p"; }

# A program folder (optionally at a relative path inside a fresh folder)
# holding three BAT files on the first of two tabs, the
# second tab holding one, and an exchange file as the host leaves it.
# Sets: folder, bat1..bat3, bat_tab2 (Wine paths), exchange (its Linux path).
make_host_folder() {
  make_program_folder "${1:-}"
  folder=$program_folder
  local w
  w=$(wine_path "$folder")
  for name in A B C D; do printf '@REM %s summary\r\necho %s\r\n' "$name" "$name" >"$folder/$name.BAT"; done
  bat1="$w\\A.BAT" bat2="$w\\B.BAT" bat3="$w\\C.BAT" bat_tab2="$w\\D.BAT"
  python3 "$(dirname "${BASH_SOURCE[0]}")/make_catalogue.py" "$folder/Z_Orbi.DAT" \
    --tab 作図 --item "$bat1" "A summary" 2 '"A summary"' --item "$bat2" "B summary" 0 '"B summary"' \
    --item "$bat3" "C summary" 0 '"C summary"' \
    --tab 編集 --item "$bat_tab2" "D summary" 0 '"D summary"'
  exchange="$folder/jwc_temp.txt"
  printf 'hq\r\nlg0\r\nly0\r\nlc1\r\nlt1\r\n#\r\n0 0 100 100\r\nci 50 50 25\r\n' >"$exchange"
}

# Gives the main window the X input focus, so keys typed through the X
# server's own input (XTEST) reach it as from a keyboard. (Keys sent to a
# window with --window carry no modifier state Wine trusts: Ctrl is lost.)
# The X window can be mapped a moment after Windows calls it visible; focusing
# it before then fails with BadMatch.
focus_main_window() {
  local wid
  eventually 10 xdotool search --onlyvisible --name "^$MAIN_CAPTION\$" ||
    fail "no X window for the main window"
  wid=$(xdotool search --onlyvisible --name "^$MAIN_CAPTION\$" | head -1)
  xdotool windowfocus --sync "$wid"
}

# Clicks the middle of the summary cell of a grid row.
click_grid_row() {
  local row=$1 left top width height
  read -r left top width height < <(probe child-rect "$MAIN_CAPTION" TStringGrid)
  xdotool mousemove $((left + 2 + 26 + 91 + 60)) $((top + 2 + 21 * row + 10)) click 1
}

# The exchange file must hold exactly these lines (UTF-8 here, Shift-JIS
# there), each ended by CR LF.
expect_exchange() {
  local expected
  expected=$(mktemp)
  folders+=("$expected")
  for line in "$@"; do printf '%s\r\n' "$line" | iconv -f UTF-8 -t CP932 >>"$expected"; done
  cmp -s "$exchange" "$expected" || fail "exchange file holds: $(od -c "$exchange" | head -5)"
}

# Clicks the middle of a button of the main window, or of the window captioned $2.
click_button() {
  local left top width height
  read -r left top width height < <(probe button-rect "${2:-$MAIN_CAPTION}" "$1")
  xdotool mousemove $((left + width / 2)) $((top + height / 2)) click 1
}

# Waits until a message box with the application title shows `text`.
expect_message() {
  local text=$1
  probe wait-dialog Z_ORBI 10000 || fail "no message box appeared (expected: $text)"
  local shown
  shown=$(probe dialog-text Z_ORBI)
  [ "$shown" = "$text" ] || fail "message box says '$shown', expected '$text'"
}

dialog_starts_with() { [[ "$(probe dialog-text Z_ORBI 2>/dev/null)" == "$1"* ]]; }
no_dialog() { ! probe wait-dialog Z_ORBI 0; }
