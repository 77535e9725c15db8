# The release zip: it unpacks to the files a user needs, its exe is the one
# the tests ran, and the program starts from the unpacked folder through its
# launcher, as the host runs it.
#
#   package_test.sh ZIP Z_Orbi.exe zorbi_probe.exe
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh" "$2" "$3"
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/host-lib.sh"
zip=$1

top=$(mktemp -d "${TMPDIR:-/tmp}/zorbi-unpacked.XXXXXX")
folders+=("$top")
python3 -m zipfile -e "$zip" "$top" || fail "$zip does not unpack"
dir=$top/$(basename "$zip" .zip)
expect_eq "$(LC_ALL=C ls -A "$dir" | tr '\n' ' ')" \
  "Z_Orbi-user-guide.html Z_Orbi.BAT Z_Orbi.exe はじめに.txt " "files in the zip's folder"
cmp -s "$dir/Z_Orbi.exe" "$ZORBI_EXE" || fail "the zip's Z_Orbi.exe is not the one tested"
cmp -s "$dir/Z_Orbi.BAT" "$(dirname "$ZORBI_EXE")/Z_Orbi.BAT" || fail "the zip's Z_Orbi.BAT differs"

readme=$dir/はじめに.txt
iconv -f CP932 -t UTF-8 "$readme" | grep -qF "$MAIN_CAPTION" || fail "はじめに.txt is not Shift-JIS naming $MAIN_CAPTION"
[ "$(grep -c $'\r$' "$readme")" = "$(wc -l <"$readme")" ] && [ "$(tail -c 2 "$readme" | od -An -c | tr -d ' ')" = '\r\n' ] ||
  fail "はじめに.txt has a line not ended by CR LF"

# Every picture of the guide is inside the page.
guide=$dir/Z_Orbi-user-guide.html
pictures=$(grep -c '!\[' "$(dirname "${BASH_SOURCE[0]}")/../../docs/user-guide.md")
expect_eq "$(grep -o '<img src="data:image/png;base64,' "$guide" | wc -l)" "$pictures" "pictures inside the guide"
grep -qF "$MAIN_CAPTION" "$guide" || fail "the guide does not describe $MAIN_CAPTION"

host_start "$dir" Z_Orbi.BAT >/dev/null
app_pid=$host_pid
probe wait-window "$MAIN_CAPTION" 20000 || fail "the unpacked program's window did not appear"
probe close "$MAIN_CAPTION"
wait_program_end 15
host_pid=""
[ -f "$dir/Z_Orbi.DAT" ] || fail "the unpacked program saved no catalogue beside itself"
echo "package test passed"
