# scripts/screenshot, which scripts/run uses when there is no display: a PNG
# of exactly the main window with its caption drawn, and the folder left with
# only the program in it.
set -euo pipefail
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
export ZORBI_EXE=$1 ZORBI_PROBE=$2

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/folder"

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

printed=$(env -u DISPLAY "$repo/scripts/screenshot" "$work/folder" "$work/shot.png")
[ "$printed" = "$work/shot.png" ] || fail "printed '$printed'"
size=$(identify -format '%wx%h' "$work/shot.png")
[ "$size" = 545x357 ] || fail "picture size $size"
# The caption bar holds the icon, the caption text and the close box: many
# colours. An empty or unpainted strip would have one or two.
colours=$(convert "$work/shot.png" -crop 545x18+0+3 +repage -format '%k' info:)
[ "$colours" -ge 8 ] || fail "caption bar has only $colours colours"
# Closing saves the catalogue and the settings beside the program, nothing else.
[ "$(LC_ALL=C ls -A "$work/folder" | tr '\n' ' ')" = "Z_Orbi.DAT Z_Orbi.exe Z_Orbi.ini " ] ||
  fail "folder holds: $(ls -A "$work/folder")"
echo "screenshot test passed"
