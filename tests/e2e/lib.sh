# Helpers for the black-box tests. A test script runs inside scripts/wine-run
# (DISPLAY and WINEPREFIX are set) and sources this file:
#   source lib.sh <Z_Orbi.exe> <zorbi_probe.exe>
# Every wait has a time limit.
set -euo pipefail

ZORBI_EXE=$1
ZORBI_PROBE=$2
MAIN_CAPTION="Z_Orbi Ver1.0d"

app_pid=""
folders=()

lib_cleanup() {
  if [ -n "$app_pid" ] && kill -0 "$app_pid" 2>/dev/null; then kill "$app_pid" 2>/dev/null || true; fi
  if [ ${#folders[@]} -gt 0 ]; then rm -rf "${folders[@]}"; fi
}
trap lib_cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

probe() { wine "$ZORBI_PROBE" "$@"; }

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

# A fresh folder holding a copy of the program, as a user would drop it; its
# path goes to `program_folder` (not printed: the clean-up list must not be
# filled in a subshell).
make_program_folder() {
  program_folder=$(mktemp -d "${TMPDIR:-/tmp}/zorbi-e2e.XXXXXX")
  folders+=("$program_folder")
  cp "$ZORBI_EXE" "$program_folder/Z_Orbi.exe"
}

# Starts Z_Orbi.exe in `folder` and waits for its main window.
start_program() {
  local folder=$1
  (cd "$folder" && exec wine ./Z_Orbi.exe) &
  app_pid=$!
  probe wait-window "$MAIN_CAPTION" 15000 || fail "the main window did not appear"
}

# Waits for the program to end; its exit status goes to `app_status`.
wait_program_end() {
  local seconds=$1
  timeout "$seconds" tail -s 0.05 --pid="$app_pid" -f /dev/null ||
    fail "the program did not end within $seconds s"
  app_status=0
  wait "$app_pid" || app_status=$?
  app_pid=""
}

main_rect_is() { [ "$(probe rect "$MAIN_CAPTION")" = "$1" ]; }
