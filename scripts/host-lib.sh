# The host's side of an external transformation, as JW_WIN plays it: write
# jwc_temp.txt, run the BAT file through the command interpreter in the BAT
# file's folder ("REM #cd"), wait for it, read jwc_temp.txt back, and go on
# with a chained BAT file. Sourced by scripts/host-sim and the black-box tests;
# runs inside scripts/wine-run (DISPLAY and WINEPREFIX set) with ZORBI_PROBE
# naming the probe. Every wait has a time limit.

host_pid=""

# A small drawing as the host hands it over: "hq", the header, records.
host_write_exchange() {
  local folder=$1
  iconv -f UTF-8 -t CP932 <<'EOF_EXCHANGE' | sed 's/$/\r/' >"$folder/jwc_temp.txt"
hq
file C:\jww\作図\平面図.jww
hs 100 100 100 100 100 100 100 100 100 100 100 100 100 100 100 100
hk 0
hcw 3 3 3 3 3 3 3 3 3 3
hch 3 3 3 3 3 3 3 3 3 3
hcd 0.5 0.5 0.5 0.5 0.5 0.5 0.5 0.5 0.5 0.5
hcc 1 1 1 1 1 1 1 1 1 1
LAYCND_0(2),2,2,2,2
LAYNAM_0(一般図),壁,建具,寸法,文字
lg0
ly0
lc1
lt1
pn1
cn0 3 3 0.5 1
#
 0 0 9100 0
 9100 0 9100 7280
 9100 7280 0 7280
 0 7280 0 0
lc2
lt2
ci 4550 3640 910
ci 4550 3640 1820 0 90 1 0
pt 1820 1820
cn3
ch 1000 -500 1 0 "１階平面図 S=1/100"
lc10 16711680
sc 100 100 200 100 200 200 100 200
EOF_EXCHANGE
}

# The command line that runs a BAT file of the working folder, quoted as the
# host quotes it: cmd drops the outer pair of quotes, the inner pair keeps
# spaces, "&", "^", "%", "!" and parentheses of the name as they are. (The
# arguments of `wine cmd /c` can't carry these quotes through Wine's own.)
host_command() { printf 'cmd /c ""%s""' "$1"; }

# Runs `bat` (a file name in `folder`) the way the host does, in the
# background; its process id goes to host_pid.
# (Z_Orbi.BAT needs no quotes, and `wine cmd /c` spares the timed round trip
# a process start.)
host_start() {
  local folder=$1 bat=$2
  (cd "$folder" && exec wine cmd /c "$bat") &
  host_pid=$!
}

# Waits for the BAT file (and so the program it started) to end.
host_wait() {
  local seconds=$1
  if ! timeout "$seconds" tail -s 0.05 --pid="$host_pid" -f /dev/null; then
    echo "host: the external transformation did not end within $seconds s" >&2
    return 1
  fi
  wait "$host_pid" || true
  host_pid=""
}

# The BAT file chained in jwc_temp.txt (its "h/" line, as UTF-8), or nothing.
host_chained() {
  local folder=$1
  [ -f "$folder/jwc_temp.txt" ] || return 0
  local first
  first=$(head -n 1 "$folder/jwc_temp.txt" | tr -d '\r' | iconv -f CP932 -t UTF-8)
  case $first in
  h/*) printf '%s\n' "${first#h/}" ;;
  esac
}

# Goes on with a chained BAT file as the host would: in its own folder, its
# name quoted.
host_run_chained() {
  local path=$1 seconds=$2 linux
  linux=$(winepath -u "$path" 2>/dev/null) || return 1
  [ -f "$linux" ] || { echo "host: the chained file $path does not exist" >&2; return 1; }
  timeout "$seconds" wine "$ZORBI_PROBE" run "$(winepath -w "$(dirname "$linux")")" \
    "$(host_command "$(basename "$linux")")"
}
